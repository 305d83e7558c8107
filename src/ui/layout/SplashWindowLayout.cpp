// The splash: the logo, the product's name and version and its notices on
// green, without a title bar.

#include "ui/layout/Version.h"
#include "ui/layout/WindowLayout.h"

#include <string>

namespace tapfill::ui::layout {

namespace {

constexpr Colour SplashGreen{0, 192, 0};
constexpr Colour FrameGreen{0, 128, 0};
constexpr Colour White{255, 255, 255};

Font arial(double points, bool bold)
{
    return {"Arial", points, bold};
}

WindowLayout make()
{
    WindowLayout window{.name = "frmSplash", .width = 7380, .height = 4245, .background = SplashGreen};
    auto& controls = window.controls;
    controls.push_back(
        {.kind = Kind::Frame, .name = "Frame1", .place = {120, 120, 7200, 4050}, .background = FrameGreen});
    controls.push_back({.kind = Kind::Image,
                        .name = "imgLogo",
                        .container = "Frame1",
                        .place = {360, 795, 1815, 2385},
                        .picture = Picture::Logo});
    auto notice = [&controls](const char* name, std::string caption, Rect place, Font font) -> Control& {
        return controls.emplace_back(Control{.kind = Kind::Label,
                                             .name = name,
                                             .caption = std::move(caption),
                                             .container = "Frame1",
                                             .place = place,
                                             .textColour = White,
                                             .font = std::move(font)});
    };
    notice("lblProductName", ApplicationTitle, {2520, 840, 0, 0}, arial(26.25, true)).sizedToCaption = true;
    // The version and its heading end where the notices below them end, and
    // grow to the left.
    auto rightAligned = [](Control& label) {
        label.align = Align::MiddleRight;
        label.sizedToCaption = true;
    };
    rightAligned(notice("lblPlatform", "Platform", {5580, 2160, 1395, 0}, arial(15.75, true)));
    rightAligned(notice("lblVersion", std::string("Version ") + VersionText, {5970, 2520, 1005, 0}, arial(12, true)));
    notice("lblCopyright", "Copyright \u00A9 2026 Tapfill developers", {4080, 2880, 2895, 255}, arial(8.25, false));
    notice("lblCompany", "Tapfill developers", {4080, 3120, 2895, 255}, arial(8.25, false));
    notice("lblWarning",
           "Warning: Tapfill types the texts you store into other programs, as if you typed them.\n"
           "You are responsible for what it pastes, and where.",
           {120, 3420, 6855, 435}, arial(8.25, false))
        .wordWrap = true;
    return window;
}

} // namespace

const WindowLayout& splashWindowLayout()
{
    static const WindowLayout layout = make();
    return layout;
}

} // namespace tapfill::ui::layout
