#include "platform/x11/LentKeys.h"

#include <algorithm>

#include <X11/Xlib.h>

namespace tapfill::platform::x11 {

LentKeys::~LentKeys()
{
    giveBack();
}

void LentKeys::map(int keycode, unsigned long keysym)
{
    // The symbol on both levels: given alone, the server pairs it with its
    // other case and an uppercase letter would come out in lower case.
    KeySym symbols[2] = {keysym, keysym};
    XChangeKeyboardMapping(display_, keycode, 2, symbols, 1);
}

void LentKeys::lend(const std::map<int, unsigned long>& keys)
{
    for (const auto& [keycode, keysym] : keys) {
        map(keycode, keysym);
        if (std::find(lent_.begin(), lent_.end(), keycode) == lent_.end())
            lent_.push_back(keycode);
    }
    XSync(display_, False);
}

void LentKeys::giveBack()
{
    if (lent_.empty())
        return;
    for (int keycode : lent_)
        map(keycode, NoSymbol);
    lent_.clear();
    XSync(display_, False);
}

} // namespace tapfill::platform::x11
