#include "platform/windows/HiddenWindow.h"

namespace tapfill::platform::windows {

HWND createHiddenWindow(const wchar_t* className, WNDPROC procedure, void* owner, HiddenKind kind)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass); // fails harmlessly when it is registered already
    const bool messageOnly = kind == HiddenKind::MessageOnly;
    HWND window = CreateWindowExW(0, className, messageOnly ? L"" : L"Tapfill", messageOnly ? 0 : WS_POPUP, 0, 0,
                                  0, 0, messageOnly ? HWND_MESSAGE : nullptr, nullptr, windowClass.hInstance,
                                  nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return window;
}

void destroyHiddenWindow(HWND window)
{
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
}

} // namespace tapfill::platform::windows
