#pragma once
// The hidden windows the backend receives messages with: posted work,
// clipboard requests, the tray icon's clicks.

#include <windows.h>

namespace tapfill::platform::windows {

enum class HiddenKind {
    MessageOnly, ///< hears messages sent or posted to it, and nothing else
    TopLevel,    ///< never shown, but hears broadcasts (TaskbarCreated)
};

/// Registers `className` (once) and makes a window of it on the calling
/// thread, with `owner` in GWLP_USERDATA for `procedure` to find.
HWND createHiddenWindow(const wchar_t* className, WNDPROC procedure, void* owner, HiddenKind kind);

/// The owner given to createHiddenWindow, or null before it is set and
/// after destroyHiddenWindow.
template <typename Owner>
Owner* hiddenWindowOwner(HWND window)
{
    return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

/// Forgets the owner, so that messages still underway find none, and
/// destroys the window.
void destroyHiddenWindow(HWND window);

} // namespace tapfill::platform::windows
