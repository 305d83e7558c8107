#pragma once
// The notification-area icon on Windows (Shell_NotifyIconW). A hidden
// window of the UI thread receives the icon's mouse messages, and Explorer's
// "TaskbarCreated" broadcast after a restart of the taskbar, when the icon
// is put back. Balloon messages (NIF_INFO) go away by themselves and take
// no focus.
//
// Plain Win32: the icon is an HICON and texts are UTF-8; the menu is the
// caller's, opened from onMenuRequested.

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

namespace tapfill::platform::windows {

class WindowsTrayIcon {
public:
    WindowsTrayIcon();
    ~WindowsTrayIcon();
    WindowsTrayIcon(const WindowsTrayIcon&) = delete;
    WindowsTrayIcon& operator=(const WindowsTrayIcon&) = delete;

    /// Puts the icon into the tray, or changes the one there. False when
    /// the shell refused it (no taskbar yet: it comes with TaskbarCreated).
    bool show(HICON icon, const std::string& tip);
    /// Takes the icon out of the tray; nothing when it is not there.
    void remove();
    /// Whether there is a taskbar to hold the icon.
    bool available() const;
    /// A short message beside the icon; nothing when the icon is not there.
    void showMessage(const std::string& title, const std::string& text);

    /// The window that receives the icon's messages (the owner for a menu).
    HWND window() const { return window_; }

    std::function<void()> onDoubleClick;
    /// A right click: the caller opens its menu at the cursor.
    std::function<void()> onMenuRequested;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    NOTIFYICONDATAW data(UINT flags) const;
    bool add();

    HWND window_ = nullptr;
    UINT taskbarCreated_ = 0;
    HICON icon_ = nullptr;
    std::wstring tip_;
    bool shown_ = false; ///< wanted in the tray
    bool added_ = false; ///< in the tray now
};

/// Puts `window` into the topmost band of the window stack, keeping its
/// position, size and visibility, without taking the keyboard focus.
void makeTopmost(HWND window);

} // namespace tapfill::platform::windows
