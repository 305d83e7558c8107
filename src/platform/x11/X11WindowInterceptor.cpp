#include "platform/x11/X11WindowInterceptor.h"

#include "platform/x11/ClickedWindow.h"
#include "platform/x11/X11Connection.h"

#include <algorithm>

namespace tapfill::platform::x11 {
namespace {
constexpr int SecondaryButton = 3; // logical: the grab is made on the logical button
} // namespace

X11WindowInterceptor::X11WindowInterceptor(std::shared_ptr<X11Connection> connection)
    : connection_(std::move(connection))
{
    listenerId_ = connection_->addGrabListener([this](const GrabbedButton& b) { onGrabbed(b); });
}

X11WindowInterceptor::~X11WindowInterceptor()
{
    if (grabbing_)
        connection_->releaseSecondaryButton();
    connection_->removeListener(listenerId_);
}

void X11WindowInterceptor::watch(std::vector<MouseMessage> messages)
{
    messages_ = std::move(messages);
    updateGrab();
}

bool X11WindowInterceptor::watches(MouseMessage message) const
{
    return std::find(messages_.begin(), messages_.end(), message) != messages_.end();
}

void X11WindowInterceptor::setArmed(bool armed)
{
    armed_ = armed;
    updateGrab();
}

void X11WindowInterceptor::updateGrab()
{
    const bool wanted = armed_ && (watches(MouseMessage::RightButtonDown)
                                   || watches(MouseMessage::RightButtonUp));
    if (wanted && !grabbing_)
        grabbing_ = connection_->grabSecondaryButton();
    else if (!wanted && grabbing_) {
        connection_->releaseSecondaryButton();
        grabbing_ = false;
    }
}

void X11WindowInterceptor::onGrabbed(const GrabbedButton& button)
{
    if (!armed_ || !grabbing_ || button.button != SecondaryButton)
        return;
    const MouseMessage message =
        button.press ? MouseMessage::RightButtonDown : MouseMessage::RightButtonUp;
    if (!watches(message) || !onIntercepted)
        return; // the connection replays an undecided press

    if (button.press) {
        // A press on a window manager's frame is not a message of any
        // program's window: it goes on to the window manager untouched.
        if (windowUnderPointer(connection_->display()).decoration) {
            connection_->allowPointer(false);
            return;
        }
        bool keep = false;
        onIntercepted(message, keep);
        connection_->allowPointer(keep);
        return;
    }
    // The release of a kept press. It was never on its way to the window,
    // so the handler's answer changes nothing.
    bool keep = false;
    onIntercepted(message, keep);
}

} // namespace tapfill::platform::x11
