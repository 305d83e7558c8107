#pragma once
// The first window shown. It closes itself two seconds after it becomes
// active (7.5 s at the latest), at a key press that produces a character,
// or at a click on its frame, and then hands over through onFinished.

#include "ui/win32/LayoutWindow.h"

#include <functional>

namespace tapfill::ui::win32 {

class SplashWindow : public LayoutWindow {
public:
    SplashWindow();

    /// The splash is gone: start the program.
    std::function<void()> onFinished;

    /// Closes the splash (once) and calls onFinished.
    void closeAndLoadMain();

private:
    void onCommand(HWND control, int code) override;
    void onClose() override { closeAndLoadMain(); }
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    bool closing_ = false;
    bool handOverStarted_ = false;
};

} // namespace tapfill::ui::win32
