#include "platform/x11/KeyboardMap.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace tapfill::platform::x11 {

void KeyboardMap::load()
{
    int minKeycode = 0;
    int maxKeycode = 0;
    XDisplayKeycodes(display_, &minKeycode, &maxKeycode);
    int perKeycode = 0;
    KeySym* map = XGetKeyboardMapping(display_, static_cast<KeyCode>(minKeycode),
                                      maxKeycode - minKeycode + 1, &perKeycode);
    if (!map)
        return;
    minKeycode_ = minKeycode;
    perKeycode_ = perKeycode;
    symbols_.assign(map, map + static_cast<std::size_t>(maxKeycode - minKeycode + 1) * perKeycode);
    XFree(map);
}

std::optional<KeyPosition> KeyboardMap::find(unsigned long keysym)
{
    if (symbols_.empty())
        load();
    if (symbols_.empty() || keysym == NoSymbol)
        return std::nullopt;
    std::optional<KeyPosition> best;
    const std::size_t keys = symbols_.size() / perKeycode_;
    for (std::size_t k = 0; k < keys; ++k) {
        for (int column = 0; column < perKeycode_; ++column) {
            if (symbols_[k * perKeycode_ + column] != keysym)
                continue;
            if (!best || column < best->column)
                best = KeyPosition{static_cast<int>(k) + minKeycode_, column};
            if (column == 0)
                return best;
        }
    }
    return best;
}

std::vector<unsigned long> KeyboardMap::keysymsForCharacter(char32_t c)
{
    switch (c) {
    case U'\n':
    case U'\r':
        return {XK_Return};
    case U'\t':
        return {XK_Tab};
    case U'\b':
        return {XK_BackSpace};
    case 0x1B:
        return {XK_Escape};
    case 0x20AC: // the euro sign kept its pre-Unicode keysym in most layouts
        return {XK_EuroSign, 0x01000000UL | c};
    default:
        break;
    }
    if (c < 0x20 || c == 0x7F)
        return {};
    // Latin-1 characters are their own keysyms; the rest have Unicode ones.
    if (c <= 0xFF)
        return {static_cast<unsigned long>(c)};
    return {0x01000000UL | c};
}

} // namespace tapfill::platform::x11
