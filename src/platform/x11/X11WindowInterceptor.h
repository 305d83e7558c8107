#pragma once
// Keeping right clicks from the window they are meant for, on X11.
//
// X11 has no way to step into another program's message handling, and a
// click cannot be recalled once the server has sent it. So while armed, the
// interceptor holds a passive grab of the right button on the root window in
// synchronous mode: at a press the server freezes the pointer and hands the
// press to Tapfill, the handler decides, and the press is then either kept
// (its release follows to Tapfill as well) or replayed to the window under
// the pointer as if there had been no grab. The grab covers every window,
// so the target window only names the window the logic expects.
//
// Only the right button is intercepted. A left release cannot be kept: its
// press has reached the window already. A double click has no message of its
// own on X11: both of its clicks go through the handler like single ones.

#include "platform/WindowInterceptor.h"

#include <memory>

namespace tapfill::platform::x11 {

class X11Connection;
struct GrabbedButton;

class X11WindowInterceptor : public WindowInterceptor {
public:
    explicit X11WindowInterceptor(std::shared_ptr<X11Connection> connection);
    ~X11WindowInterceptor() override;

    void watch(std::vector<MouseMessage> messages) override;
    void setTargetWindow(WindowId window) override { target_ = window; }
    WindowId targetWindow() const override { return target_; }
    void setArmed(bool armed) override;

    /// Whether right clicks are being taken right now. Stays false while
    /// armed when another client holds the grab (another copy of Tapfill).
    bool grabbing() const { return grabbing_; }

private:
    void onGrabbed(const GrabbedButton& button);
    bool watches(MouseMessage message) const;
    void updateGrab();

    std::shared_ptr<X11Connection> connection_;
    int listenerId_ = 0;
    std::vector<MouseMessage> messages_;
    WindowId target_ = 0;
    bool armed_ = false;
    bool grabbing_ = false;
};

} // namespace tapfill::platform::x11
