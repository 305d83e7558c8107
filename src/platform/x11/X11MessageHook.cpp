#include "platform/x11/X11MessageHook.h"

#include "platform/x11/ClickedWindow.h"
#include "platform/x11/X11Connection.h"

#include <algorithm>

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

bool X11MessageHook::watches(MouseMessage message) const
{
    return std::find(messages_.begin(), messages_.end(), message) != messages_.end();
}

void X11MessageHook::onRawInput(const RawInput& input)
{
    if (input.kind == RawInput::KeyDown || input.kind == RawInput::KeyUp) {
        // The keycode is looked up each time: the keyboard map can change
        // under us.
        auto f12 = connection_->keyboard().find(XK_F12);
        if (!f12 || f12->keycode != input.detail)
            return;
        // A held key counts once: the server's auto-repeat sends no raw
        // events, but a device may press again without releasing.
        const bool wasDown = f12Down_;
        f12Down_ = input.kind == RawInput::KeyDown;
        if (input.kind == RawInput::KeyUp || wasDown || input.repeat)
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
