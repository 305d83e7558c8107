#pragma once
// A top-level Win32 window made from a window description: its controls
// built, their colours painted, and what they report handed to the
// subclass, which knows what they are for.

#include "ui/layout/WindowLayout.h"
#include "ui/win32/ControlBuilder.h"

#include <windows.h>

#include <vector>

namespace tapfill::ui::win32 {

class LayoutWindow {
public:
    /// A window of fixed size: minimise and close, but nothing to maximise,
    /// unless `style` says otherwise.
    explicit LayoutWindow(const layout::WindowLayout& layout,
                          DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
    virtual ~LayoutWindow();
    LayoutWindow(const LayoutWindow&) = delete;
    LayoutWindow& operator=(const LayoutWindow&) = delete;

    HWND window() const { return window_; }

    /// Tab and Shift+Tab in a window of this kind: the keyboard focus to the
    /// next control in the order its description gives (across frames and
    /// pages, as a dialog's own walk cannot). True when the key was used.
    static bool moveFocusByTab(const MSG& message);

protected:
    /// A control's notification (BN_CLICKED, EN_CHANGE ...).
    virtual void onCommand(HWND control, int code) = 0;
    /// A tab strip turned to another page.
    virtual void onPageChanged(const std::string&) {}
    /// The user or the system closes the window.
    virtual void onClose() = 0;
    /// Any other message; true when handled, with `result` its answer.
    virtual bool onMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

    BuiltControls built_;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void moveFocus(bool backwards);

    const layout::WindowLayout& layout_;
    HWND window_ = nullptr;
    std::vector<HWND> focusOrder_;
};

} // namespace tapfill::ui::win32
