// The personal data window: ten labelled boxes on a blue form, SAVE and BACK.

#include "model/Fields.h"
#include "ui/layout/WindowLayout.h"

#include <array>

namespace tapfill::ui::layout {

namespace {

constexpr Colour FormBlue{0, 0, 255};
constexpr Colour White{255, 255, 255};

const std::array<const char*, model::PersonalFieldCount> SlotLabels = {
    "FIRST NAME:", "LAST NAME:", "COMPANY NAME:", "ADDRESS 1:",     "ADDRESS 2:",
    "CITY:",       "STATE:",     "ZIP CODE:",     "EMAIL ADDRESS:", "PHONE NUMBER:",
};

WindowLayout make()
{
    WindowLayout window{.name = "TFDATA",
                        .caption = "DATA INPUT FORM",
                        .width = 7245,
                        .height = 4965,
                        .background = FormBlue,
                        .font = Font{}};
    auto& controls = window.controls;
    controls.push_back(
        {.kind = Kind::Frame, .name = "Frame1", .place = {120, 120, 6975, 4695}, .background = FormBlue});
    // Each label stands left of its box on the same row.
    for (int i = 0; i < model::PersonalFieldCount; ++i) {
        const int top = 360 + 360 * i;
        controls.push_back({.kind = Kind::Label,
                            .name = indexedName("LB", i),
                            .caption = SlotLabels[i],
                            .container = "Frame1",
                            .place = {360, top, 1695, 255},
                            .textColour = White,
                            .align = Align::MiddleRight,
                            .tabIndex = 1 + i});
        controls.push_back({.kind = Kind::TextBox,
                            .name = indexedName("LL", i),
                            .container = "Frame1",
                            .place = {2160, top, 4335, 285},
                            .tabIndex = 11 + i});
    }
    controls.push_back({.kind = Kind::Button,
                        .name = "Command1",
                        .caption = "SAVE",
                        .container = "Frame1",
                        .place = {4200, 4200, 1095, 375},
                        .tabIndex = 21});
    controls.push_back({.kind = Kind::Button,
                        .name = "Command2",
                        .caption = "BACK",
                        .container = "Frame1",
                        .place = {5640, 4200, 975, 375},
                        .tabIndex = 22});
    return window;
}

} // namespace

const WindowLayout& personalDataWindowLayout()
{
    static const WindowLayout layout = make();
    return layout;
}

} // namespace tapfill::ui::layout
