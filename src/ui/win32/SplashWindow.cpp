#include "ui/win32/SplashWindow.h"

namespace tapfill::ui::win32 {
namespace {
constexpr UINT_PTR HandOverTimer = 1;       // 2000 ms from activation
constexpr UINT_PTR LatestHandOverTimer = 2; // 7500 ms from load
} // namespace

SplashWindow::SplashWindow() : LayoutWindow(layout::splashWindowLayout(), WS_POPUP | WS_BORDER)
{
    SetTimer(window(), LatestHandOverTimer, 7500, nullptr);
    RECT frame;
    GetWindowRect(window(), &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    SetWindowPos(window(), nullptr, (work.left + work.right - (frame.right - frame.left)) / 2,
                 (work.top + work.bottom - (frame.bottom - frame.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SplashWindow::closeAndLoadMain()
{
    if (closing_)
        return;
    closing_ = true;
    KillTimer(window(), HandOverTimer);
    KillTimer(window(), LatestHandOverTimer);
    ShowWindow(window(), SW_HIDE);
    if (onFinished)
        onFinished();
}

void SplashWindow::onCommand(HWND control, int code)
{
    // Only the frame's own surface closes the splash, not its labels.
    if (code == BN_CLICKED && control == built_.get("Frame1"))
        closeAndLoadMain();
}

bool SplashWindow::onMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !closing_ && !handOverStarted_) {
            handOverStarted_ = true;
            SetTimer(window(), HandOverTimer, 2000, nullptr);
        }
        return false;
    case WM_TIMER:
        closeAndLoadMain();
        return true;
    case WM_CHAR: // Delete types no character and comes as no WM_CHAR
        closeAndLoadMain();
        return true;
    default:
        (void)result;
        return false;
    }
}

} // namespace tapfill::ui::win32
