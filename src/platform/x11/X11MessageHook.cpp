#include "platform/x11/X11MessageHook.h"

#include "platform/x11/ClickedWindow.h"
#include "platform/x11/X11Connection.h"

#include <algorithm>

#include <xkbcommon/xkbcommon.h>

#include <cstdio>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace tapfill::platform::x11 {
namespace {
// Logical buttons, after the pointer mapping.
constexpr int PrimaryButton = 1;
constexpr int SecondaryButton = 3;
} // namespace

X11MessageHook::X11MessageHook(std::shared_ptr<X11Connection> connection)
    : connection_(std::move(connection))
{
    listenerId_ = connection_->addRawListener([this](const RawInput& input) { onRawInput(input); });
}

X11MessageHook::~X11MessageHook()
{
    connection_->removeListener(listenerId_);
}

void X11MessageHook::watch(std::vector<MouseMessage> messages, WatchedKey key)
{
    messages_ = std::move(messages);
    key_ = key;
}

void X11MessageHook::setPasteModeKey(const KeyChord& key)
{
    xkb_keysym_t keysym = xkb_keysym_from_name(key.keysym.c_str(), XKB_KEYSYM_NO_FLAGS);
    if (keysym == XKB_KEY_NoSymbol)
        keysym = xkb_keysym_from_name(key.keysym.c_str(), XKB_KEYSYM_CASE_INSENSITIVE);
    if (keysym == XKB_KEY_NoSymbol) {
        std::fprintf(stderr, "tapfill: \"%s\" names no key; the paste mode key stays as it was\n",
                     key.keysym.c_str());
        return;
    }
    pasteModeKeysym_ = xkb_keysym_to_lower(keysym);
    pasteModeModifiers_ = (key.shift ? ShiftMask : 0) | (key.ctrl ? ControlMask : 0)
                          | (key.alt ? Mod1Mask : 0) | (key.super ? Mod4Mask : 0);
    keyDown_ = false;
}

bool X11MessageHook::watches(MouseMessage message) const
{
    return std::find(messages_.begin(), messages_.end(), message) != messages_.end();
}

void X11MessageHook::onRawInput(const RawInput& input)
{
    if (input.kind == RawInput::KeyDown || input.kind == RawInput::KeyUp) {
        // What the key stands for is looked up each time: the keyboard map
        // and the group in effect can change under us.
        const unsigned long keysym =
            xkb_keysym_to_lower(static_cast<xkb_keysym_t>(connection_->keyboard().keysymAt(input.detail)));
        if (keysym == 0 || keysym != pasteModeKeysym_)
            return;
        // A held key counts once: the server's auto-repeat sends no raw
        // events, but a device may press again without releasing.
        const bool wasDown = keyDown_;
        keyDown_ = input.kind == RawInput::KeyDown;
        if (input.kind == RawInput::KeyUp || wasDown || input.repeat)
            return;
        // Exactly the chord's modifiers: Ctrl+F12 is not F12. Locks do not count.
        XkbStateRec state{};
        XkbGetState(connection_->display(), XkbUseCoreKbd, &state);
        const unsigned held = state.mods & (ShiftMask | ControlMask | Mod1Mask | Mod4Mask);
        if (held != pasteModeModifiers_)
            return;
        if (key_ == WatchedKey::PasteModeKey && onKey)
            onKey();
        return;
    }

    MouseMessage message;
    if (input.kind == RawInput::ButtonUp && input.detail == PrimaryButton)
        message = MouseMessage::LeftButtonUp;
    else if (input.detail == SecondaryButton)
        message = input.kind == RawInput::ButtonDown ? MouseMessage::RightButtonDown
                                                      : MouseMessage::RightButtonUp;
    else
        return;
    if (!watches(message) || !onMouse)
        return;

    // Title bars and borders belong to the window manager: a click there is
    // not a click into a program, just as Windows reports no client message.
    ClickedWindow clicked = windowUnderPointer(connection_->display());
    if (clicked.decoration)
        return;
    onMouse(HookedMessage{message, clicked.topLevel, clicked.ownWindow});
}

} // namespace tapfill::platform::x11
