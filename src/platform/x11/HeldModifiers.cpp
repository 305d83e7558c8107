#include "platform/x11/HeldModifiers.h"

#include "platform/x11/KeyboardMap.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace tapfill::platform::x11 {
namespace {

XkbStateRec stateOf(Display* display)
{
    XkbStateRec state{};
    XkbGetState(display, XkbUseCoreKbd, &state);
    return state;
}

std::string modifierNames(unsigned mask)
{
    static const char* const names[8] = {"Shift", "Caps Lock", "Ctrl", "Alt", "Num Lock", "Mod3", "Super", "AltGr"};
    std::string out;
    for (int bit = 0; bit < 8; ++bit)
        if (mask & (1u << bit))
            out += (out.empty() ? "" : "+") + std::string(names[bit]);
    return out;
}

} // namespace

HeldModifiers::~HeldModifiers()
{
    restore();
}

unsigned HeldModifiers::held() const
{
    return stateOf(display_).base_mods;
}

bool HeldModifiers::clear(std::string& why)
{
    restore();
    const XkbStateRec before = stateOf(display_);
    if (before.base_mods != 0) {
        char keymap[32];
        XQueryKeymap(display_, keymap);
        for (int keycode : keyboard_.modifierKeys(before.base_mods)) {
            if (keycode < 256 && (keymap[keycode / 8] & (1 << (keycode % 8)))) {
                XTestFakeKeyEvent(display_, static_cast<unsigned>(keycode), False, CurrentTime);
                released_.push_back(keycode);
            }
        }
    }
    unlatched_ = before.latched_mods;
    unlocked_ = before.locked_mods;
    if (unlatched_)
        XkbLatchModifiers(display_, XkbUseCoreKbd, unlatched_, 0);
    if (unlocked_)
        XkbLockModifiers(display_, XkbUseCoreKbd, unlocked_, 0);
    cleared_ = true;

    const XkbStateRec after = stateOf(display_); // a round trip: the server has done it all
    if (after.mods != 0) {
        restore();
        why = "the " + modifierNames(after.mods)
              + " key is held down and would change what is typed; nothing was typed";
        return false;
    }
    return true;
}

void HeldModifiers::restore()
{
    if (!cleared_)
        return;
    cleared_ = false;
    if (unlocked_)
        XkbLockModifiers(display_, XkbUseCoreKbd, unlocked_, unlocked_);
    if (unlatched_)
        XkbLatchModifiers(display_, XkbUseCoreKbd, unlatched_, unlatched_);
    for (int keycode : released_)
        XTestFakeKeyEvent(display_, static_cast<unsigned>(keycode), True, CurrentTime);
    released_.clear();
    unlocked_ = unlatched_ = 0;
    XFlush(display_);
}

} // namespace tapfill::platform::x11
