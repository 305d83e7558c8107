// The main window: a grey panel with the outer tab strip (one-line fields,
// personal data, multi-line fields on an inner strip, paste options) and the
// commands below it.

#include "model/Fields.h"
#include "ui/layout/Version.h"
#include "ui/layout/WindowLayout.h"

#include <algorithm>
#include <array>
#include <string>

namespace tapfill::ui::layout {

namespace {

constexpr Colour PanelGrey{192, 192, 192};
constexpr Colour LabelBlue{0, 0, 255};
constexpr Colour InstructionRed{128, 0, 0};
constexpr Colour White{255, 255, 255};

const std::array<const char*, model::PersonalFieldCount> PersonalLabels = {
    "FIRST NAME", "LAST NAME", "COMPANY",  "ADDRESS 1",     "ADDRESS 2",
    "CITY",       "STATE",     "ZIP CODE", "EMAIL ADDRESS", "PHONE NUMBER",
};

/// The keyboard walks the controls in the order they were first laid out,
/// not page by page.
std::vector<std::string> focusOrder()
{
    std::vector<std::string> order{"SSTab1", "Command3", "Command4", "Command1", "I(0)", "O1(0)"};
    for (int i = 1; i <= 9; ++i)
        order.push_back(indexedName("I", i));
    order.insert(order.end(), {"C4", "I(10)", "I(11)", "SSTab2"});
    for (int k = 0; k < model::MultiLineFieldCount; ++k)
        order.push_back(indexedName("ML", k));
    order.push_back("Command2");
    for (int i = 1; i < model::OneLineFieldCount; ++i)
        order.push_back(indexedName("O1", i));
    order.push_back("Command5");
    for (int i = 0; i < model::PersonalFieldCount; ++i)
        order.push_back(indexedName("PERS", i));
    for (int k = 1; k <= model::MultiLineFieldCount; ++k)
        order.push_back("Option" + std::to_string(k));
    order.insert(order.end(), {"AUT", "AUT2", "AUT3"});
    return order;
}

WindowLayout make()
{
    WindowLayout window{.name = "TFPRO",
                        .caption = std::string(ApplicationTitle) + " v" + VersionText,
                        .width = 2925,
                        .height = 6780,
                        .font = Font{},
                        .icon = Picture::ActiveIcon};
    auto& controls = window.controls;
    auto add = [&controls](Kind kind, std::string name, std::string container, int page, Rect place) -> Control& {
        return controls.emplace_back(Control{
            .kind = kind, .name = std::move(name), .container = std::move(container), .page = page, .place = place});
    };

    add(Kind::Frame, "Frame1", "", 0, {0, 0, 2895, 6735}).background = PanelGrey;
    Control& pages = add(Kind::TabStrip, "SSTab1", "Frame1", 0, {120, 120, 2700, 4815});
    pages.background = PanelGrey;
    pages.pages = {"1 LINE", "PERS", "MULTI", "OPT."};
    pages.startPage = 1;

    // "1 LINE": twelve one-line fields, each with the button that selects it.
    for (int i = 0; i < model::OneLineFieldCount; ++i) {
        const int top = 480 + 360 * i;
        add(Kind::OptionButton, indexedName("O1", i), "SSTab1", 0, {120, top, 255, 255});
        add(Kind::TextBox, indexedName("I", i), "SSTab1", 0, {360, top, 2175, 285}).background = White;
    }

    // "PERS": the personal data texts live elsewhere; only their names show here.
    for (int i = 0; i < model::PersonalFieldCount; ++i) {
        const int top = 480 + 360 * i;
        add(Kind::OptionButton, indexedName("PERS", i), "SSTab1", 1, {480, top, 255, 255});
        Control& label = add(Kind::Label, indexedName("LL", i), "SSTab1", 1, {840, top, 1695, 255});
        label.caption = PersonalLabels[i];
        label.textColour = LabelBlue;
    }
    add(Kind::Button, "C4", "SSTab1", 1, {120, 4320, 2415, 375}).caption = "CLICK HERE FOR DATA ";

    // "MULTI": an inner strip of three pages, four described fields on each.
    Control& inner = add(Kind::TabStrip, "SSTab2", "SSTab1", 2, {0, 240, 2655, 4575});
    inner.background = Colour{.buttonFace = true};
    inner.pages = {"MULTI 1", "MULTI 2", "MULTI 3"};
    for (int k = 0; k < model::MultiLineFieldCount; ++k) {
        const int page = k / model::MultiLineFieldsPerPage;
        const int row = k % model::MultiLineFieldsPerPage;
        add(Kind::OptionButton, "Option" + std::to_string(k + 1), "SSTab2", page, {120, 480 + 960 * row, 2415, 255})
            .caption = "Double Click to enter desc.";
        add(Kind::MultiLineTextBox, indexedName("ML", k), "SSTab2", page, {120, 720 + 960 * row, 2415, 615});
    }

    // "OPT.": the paste options, each explained below its box.
    auto option = [&](const char* name, Rect place, const char* caption) {
        Control& box = add(Kind::CheckBox, name, "SSTab1", 3, place);
        box.caption = caption;
        box.wordWrap = true; // "Auto Carriage Return (ENTER)" takes two lines
    };
    auto wrapped = [&](const char* name, const std::string& container, Rect place, const char* caption) -> Control& {
        Control& label = add(Kind::Label, name, container, container == "SSTab1" ? 3 : 0, place);
        label.caption = caption;
        label.wordWrap = true;
        label.align = Align::TopLeft;
        return label;
    };
    option("AUT3", {360, 480, 1575, 255}, "Auto Advance");
    wrapped("Label4", "SSTab1", {240, 840, 2295, 855},
         "This option tells Tapfill to drop option field down one every time you click with  left mouse button in "
         "paste mode.");
    option("AUT", {360, 1920, 1695, 255}, "Auto Tab");
    wrapped("Label2", "SSTab1", {240, 2280, 2295, 735},
         "This option tells Tapfill to send a tab after each line that you paste into your form.");
    option("AUT2", {360, 3120, 1815, 375}, "Auto Carriage Return (ENTER)");
    wrapped("Label3", "SSTab1", {240, 3600, 2295, 1095},
         "This option tells Tapfill to send a carriage return, or press enter for you, after each line that you "
         "paste into your form.");

    // Below the strip: the commands and the state of click acceptance.
    add(Kind::Button, "Command3", "Frame1", 0, {120, 5040, 615, 375}).caption = "SAVE";
    add(Kind::Button, "Command4", "Frame1", 0, {840, 5040, 1095, 375}).caption = "SUSPEND";
    add(Kind::Button, "Command1", "Frame1", 0, {2040, 5040, 735, 375}).caption = "HIDE";
    Control& instructions = wrapped("Label1", "Frame1", {120, 5460, 2655, 615},
                                 "Field next to option button will now auto paste wherever you left click. Right "
                                 "Click to change option button");
    instructions.textColour = InstructionRed;
    instructions.pointer = Picture::ActiveIcon;
    instructions.visible = false;
    add(Kind::Image, "Image1", "Frame1", 0, {120, 6120, 480, 480}).picture = Picture::IdleIcon;
    Control& active = add(Kind::Image, "Image2", "Frame1", 0, {120, 6120, 480, 480});
    active.picture = Picture::ActiveIcon;
    active.visible = false;
    add(Kind::Button, "Command2", "Frame1", 0, {1080, 6240, 855, 375}).caption = "PASTE";
    add(Kind::Button, "Command5", "Frame1", 0, {2040, 6240, 735, 375}).caption = "EXIT";

    const std::vector<std::string> order = focusOrder();
    for (Control& control : controls) {
        const auto found = std::find(order.begin(), order.end(), control.name);
        if (found != order.end())
            control.tabIndex = static_cast<int>(found - order.begin());
    }
    return window;
}

} // namespace

const WindowLayout& mainWindowLayout()
{
    static const WindowLayout layout = make();
    return layout;
}

} // namespace tapfill::ui::layout
