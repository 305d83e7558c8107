#pragma once
// Keeping right clicks from their window on Windows, in the low-level mouse
// hook. The hook has to answer before the click goes on and cannot wait for
// the UI thread, so while armed it keeps every watched message, and the
// handler hears of it afterwards; what it sets in `keep` changes nothing
// then. The logic arms interception exactly while it keeps right clicks
// (paste mode), so the two agree. The hook covers every window, so the
// target window only names the window the logic expects.

#include "platform/WindowInterceptor.h"
#include "platform/windows/LowLevelInput.h"

#include <memory>

namespace tapfill::platform::windows {

class WindowsWindowInterceptor : public WindowInterceptor {
public:
    explicit WindowsWindowInterceptor(std::shared_ptr<LowLevelInput> input);
    ~WindowsWindowInterceptor() override;

    void watch(std::vector<MouseMessage> messages) override;
    void setTargetWindow(WindowId window) override { target_ = window; }
    WindowId targetWindow() const override { return target_; }
    void setArmed(bool armed) override { input_->setArmed(armed); }

private:
    std::shared_ptr<LowLevelInput> input_;
    int subscription_ = 0;
    WindowId target_ = 0;
};

} // namespace tapfill::platform::windows
