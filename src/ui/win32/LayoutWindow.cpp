#include "ui/win32/LayoutWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>

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
    std::vector<const layout::Control*> ordered;
    for (const layout::Control& control : layout.controls)
        if (control.tabIndex >= 0)
            ordered.push_back(&control);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const layout::Control* a, const layout::Control* b) { return a->tabIndex < b->tabIndex; });
    for (const layout::Control* control : ordered)
        focusOrder_.push_back(built_.get(control->name));
}

bool LayoutWindow::moveFocusByTab(const MSG& message)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0
        || GetKeyState(VK_MENU) < 0)
        return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    wchar_t className[64] = {};
    if (!root || !GetClassNameW(root, className, 64) || std::wcscmp(className, WindowClass) != 0)
        return false;
    auto* self = reinterpret_cast<LayoutWindow*>(GetWindowLongPtrW(root, GWLP_USERDATA));
    if (!self || self->focusOrder_.empty())
        return false;
    self->moveFocus(GetKeyState(VK_SHIFT) < 0);
    return true;
}

void LayoutWindow::moveFocus(bool backwards)
{
    const int count = static_cast<int>(focusOrder_.size());
    const auto found = std::find(focusOrder_.begin(), focusOrder_.end(), GetFocus());
    int at = found == focusOrder_.end() ? (backwards ? 0 : count - 1) : static_cast<int>(found - focusOrder_.begin());
    for (int step = 0; step < count; ++step) {
        at = (at + (backwards ? count - 1 : 1)) % count;
        HWND next = focusOrder_[static_cast<std::size_t>(at)];
        const auto style = GetWindowLongPtrW(next, GWL_STYLE);
        // Passed over: labels, what is hidden (on another page) or off, and
        // the option buttons of a group but the chosen one.
        if (!(style & WS_TABSTOP) || !IsWindowVisible(next) || !IsWindowEnabled(next))
            continue;
        const LRESULT kind = SendMessageW(next, WM_GETDLGCODE, 0, 0);
        if ((kind & DLGC_RADIOBUTTON) && SendMessageW(next, BM_GETCHECK, 0, 0) != BST_CHECKED)
            continue;
        SetFocus(next);
        if (kind & DLGC_HASSETSEL)
            SendMessageW(next, EM_SETSEL, 0, -1); // as a dialog selects a box's text
        return;
    }
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
