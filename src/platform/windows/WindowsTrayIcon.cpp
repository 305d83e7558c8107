#include "platform/windows/WindowsTrayIcon.h"

#include "platform/windows/HiddenWindow.h"
#include "platform/windows/Processes.h"

#include <algorithm>
#include <cwchar>

namespace tapfill::platform::windows {
namespace {

constexpr wchar_t ClassName[] = L"TapfillTrayIcon";
constexpr UINT IconMessage = WM_APP + 3;
constexpr UINT IconId = 1;

template <std::size_t N>
void copyInto(wchar_t (&target)[N], const std::wstring& text)
{
    const std::size_t length = std::min(text.size(), N - 1);
    std::wmemcpy(target, text.c_str(), length);
    target[length] = L'\0';
}

} // namespace

WindowsTrayIcon::WindowsTrayIcon()
{
    // Message-only windows do not hear broadcasts such as TaskbarCreated.
    window_ = createHiddenWindow(ClassName, &WindowsTrayIcon::procedure, this, HiddenKind::TopLevel);
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
}

WindowsTrayIcon::~WindowsTrayIcon()
{
    remove();
    destroyHiddenWindow(window_);
}

NOTIFYICONDATAW WindowsTrayIcon::data(UINT flags) const
{
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof d;
    d.hWnd = window_;
    d.uID = IconId;
    d.uFlags = flags;
    d.uCallbackMessage = IconMessage;
    d.hIcon = icon_;
    copyInto(d.szTip, tip_);
    return d;
}

bool WindowsTrayIcon::add()
{
    auto d = data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    added_ = Shell_NotifyIconW(NIM_ADD, &d);
    return added_;
}

bool WindowsTrayIcon::show(HICON icon, const std::string& tip)
{
    icon_ = icon;
    tip_ = widened(tip);
    shown_ = true;
    if (!added_)
        return add();
    auto d = data(NIF_ICON | NIF_TIP);
    return Shell_NotifyIconW(NIM_MODIFY, &d);
}

void WindowsTrayIcon::remove()
{
    shown_ = false;
    if (added_) {
        auto d = data(0);
        Shell_NotifyIconW(NIM_DELETE, &d);
        added_ = false;
    }
}

bool WindowsTrayIcon::available() const
{
    return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
}

void WindowsTrayIcon::showMessage(const std::string& title, const std::string& text)
{
    if (!added_)
        return;
    auto d = data(NIF_INFO);
    copyInto(d.szInfoTitle, widened(title));
    copyInto(d.szInfo, widened(text));
    d.dwInfoFlags = NIIF_INFO | NIIF_NOSOUND;
    Shell_NotifyIconW(NIM_MODIFY, &d);
}

LRESULT CALLBACK WindowsTrayIcon::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = hiddenWindowOwner<WindowsTrayIcon>(window);
    if (self && message == IconMessage) {
        if (lParam == WM_LBUTTONDBLCLK && self->onDoubleClick)
            self->onDoubleClick();
        else if (lParam == WM_RBUTTONUP && self->onMenuRequested)
            self->onMenuRequested();
        return 0;
    }
    if (self && message == self->taskbarCreated_ && message != 0) {
        // Explorer started again and forgot every icon.
        self->added_ = false;
        if (self->shown_)
            self->add();
        return 0;
    }
    if (message == WM_CLOSE)
        return 0; // the program closes in order through a window of its own, then removes the icon
    return DefWindowProcW(window, message, wParam, lParam);
}

void makeTopmost(HWND window)
{
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace tapfill::platform::windows
