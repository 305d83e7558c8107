#pragma once
// Interception of mouse messages before the window they are meant for
// handles them, so that a message can be kept from it.

#include "platform/MessageHook.h"

#include <functional>
#include <vector>

namespace tapfill::platform {

class WindowInterceptor {
public:
    virtual ~WindowInterceptor() = default;

    /// Chooses the messages that are intercepted. Called once.
    virtual void watch(std::vector<MouseMessage> messages) = 0;

    /// The window whose messages are intercepted; 0 for none.
    virtual void setTargetWindow(WindowId window) = 0;
    virtual WindowId targetWindow() const = 0;

    /// Whether the owner may keep messages from now on. Some window systems
    /// (X11) cannot take a message back once it is on its way: interception
    /// has to be in place before the click. While disarmed, every message
    /// reaches its window untouched and no event is raised.
    virtual void setArmed(bool armed) = 0;

    /// Raised for each watched message while armed, before the window sees
    /// it. The handler sets `keep` to keep the message from the window and
    /// leaves it false to let it pass.
    std::function<void(MouseMessage message, bool& keep)> onIntercepted;
};

} // namespace tapfill::platform
