#pragma once
// Tapfill's windows as data: every control of the main window, the personal
// data window and the splash, with its kind, name, caption, container, place
// and size, colours, font, place in the keyboard order and state at start.
// Plain C++: each front end builds its windows from these descriptions, so
// that the windows of two front ends cannot drift apart.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tapfill::ui::layout {

/// A place and size in twips (1/1440 inch), from the top-left corner of the
/// container's client area. The pages of a tab strip share the strip's
/// corner, so a control at top 480 stands below the row of tabs.
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
};

/// An RGB colour, or the desktop's own colour for the face of buttons.
struct Colour {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool buttonFace = false;
};

/// The face the windows were laid out for; front ends that lack it choose
/// a face as narrow.
inline constexpr std::string_view DialogFontFamily = "MS Sans Serif";

struct Font {
    std::string family{DialogFontFamily};
    double points = 8.25;
    bool bold = false;
};

enum class Kind {
    Frame,            ///< a framed panel holding other controls
    TabStrip,         ///< tabs over pages, each page holding its own controls
    OptionButton,     ///< excludes the other option buttons of its container
    CheckBox,
    TextBox,          ///< one line
    MultiLineTextBox, ///< takes line breaks
    Label,
    Button,
    Image,
};

/// Tapfill's own pictures.
enum class Picture {
    None,
    IdleIcon,   ///< click acceptance or paste mode off
    ActiveIcon, ///< on; also the main window's icon and Label1's pointer
    Logo,       ///< the splash's
};

/// Where a caption stands in its control.
enum class Align { MiddleLeft, MiddleRight, TopLeft };

struct Control {
    Kind kind = Kind::Label;
    /// Unique within the window; members of a control array carry their
    /// index: "O1(3)".
    std::string name{};
    std::string caption{};
    /// The name of the frame or tab strip the control stands in; empty for
    /// the window itself. On a tab strip, `page` says which page.
    std::string container{};
    int page = 0;
    Rect place{};
    std::optional<Colour> textColour{};
    std::optional<Colour> background{};
    /// The window's font when not given.
    std::optional<Font> font{};
    Align align = Align::MiddleLeft;
    /// The caption breaks into lines at the control's width.
    bool wordWrap = false;
    /// A label as wide and high as its caption. `place` gives the top and
    /// one side: the left edge, or for MiddleRight the right edge
    /// (left + width), from which it grows to the left.
    bool sizedToCaption = false;
    /// Multi-line text boxes: scroll bars, or none.
    bool scrollBars = false;
    /// The picture of an image, stretched to the control.
    Picture picture = Picture::None;
    /// The mouse pointer over the control; None for the usual one.
    Picture pointer = Picture::None;
    /// Place in the keyboard focus order, from 0; -1 for none. Controls that
    /// cannot take the focus (labels) keep their number but are passed over.
    int tabIndex = -1;
    /// At start.
    bool visible = true;
    /// A tab strip's page captions, and the page it opens with.
    std::vector<std::string> pages{};
    int startPage = 0;
};

struct WindowLayout {
    std::string name{};
    std::string caption{};
    /// The client area, in twips; the window cannot be resized.
    int width = 0, height = 0;
    std::optional<Colour> background{};
    /// The controls' font, unless a control has its own; the front end's
    /// own when not given.
    std::optional<Font> font{};
    Picture icon = Picture::None;
    /// In the order they are made: later ones lie above earlier ones.
    std::vector<Control> controls{};
};

/// "O1(3)": the name of member `index` of the control array `array`.
std::string indexedName(std::string_view array, int index);

const WindowLayout& mainWindowLayout();
const WindowLayout& personalDataWindowLayout();
const WindowLayout& splashWindowLayout();

} // namespace tapfill::ui::layout
