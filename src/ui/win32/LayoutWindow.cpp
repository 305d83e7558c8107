#include "ui/win32/LayoutWindow.h"

#include <commctrl.h>

namespace tapfill::ui::win32 {
namespace {
constexpr wchar_t WindowClass[] = L"TapfillWindow";
} // namespace

LayoutWindow::LayoutWindow(const layout::WindowLayout& layout, DWORD style) : layout_(layout)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &LayoutWindow::procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = WindowClass;
    RegisterClassW(&windowClass); // fails harmlessly when registered already
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, WindowClass, L"", style,
                              CW_USEDEFAULT, CW_USEDEFAULT, 200, 200, nullptr, nullptr, windowClass.hInstance,
                              nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    buildControls(layout, window_, built_);
}

LayoutWindow::~LayoutWindow()
{
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

LRESULT LayoutWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LRESULT result = 0; onMessage(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_COMMAND:
        if (lParam)
            onCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == TCN_SELCHANGE)
            onPageChanged(built_.nameOf(header->hwndFrom));
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        if (HBRUSH brush = built_.colour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam),
                                         message != WM_CTLCOLOREDIT))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_CLOSE:
        onClose();
        return 0;
    case WM_DPICHANGED: {
        // Moved to a monitor of another DPI: everything at the new scale,
        // where Windows suggests.
        placeControls(layout_, window_, built_);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK LayoutWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<LayoutWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

} // namespace tapfill::ui::win32
