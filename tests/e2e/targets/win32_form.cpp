// A Win32 form for the Windows end-to-end tests, driven by xdotool under
// Wine: four one-line edit boxes, a multi-line one, one that refuses to
// paste, and an OK button that Enter presses. It writes what it gets to the
// log file named on its command line, one line each:
//
//   pid N              its process id (at start)
//   at NAME X Y        the centre of a box, in screen coordinates (at start)
//   ready
//   focus NAME         a box got the keyboard focus
//   paste NAME         a box was asked to paste (WM_PASTE)
//   text NAME HEX      a box's whole text changed to this (UTF-8, in hex)
//   key NAME VK        a key went down in a box (virtual key, in hex)
//   rbutton NAME | contextmenu NAME   a right click, its context menu
//   ok                 the OK button was pressed
//
// Usage: win32_form.exe LOGFILE

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Box {
    const wchar_t* name;
    int id;
    bool multiLine;
    bool refusesPaste;
    WNDPROC original = nullptr;
    HWND window = nullptr;
};

Box boxes[] = {
    {L"first", 101, false, false},  {L"second", 102, false, false}, {L"third", 103, false, false},
    {L"fourth", 104, false, false}, {L"notes", 105, true, false},   {L"refuses", 106, false, true},
};
FILE* logFile = nullptr;

std::string utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

void log(const std::string& line)
{
    std::fputs((line + "\n").c_str(), logFile);
    std::fflush(logFile);
}

Box* boxOf(HWND window)
{
    for (auto& box : boxes)
        if (box.window == window)
            return &box;
    return nullptr;
}

std::string nameOf(const Box& box)
{
    return utf8(box.name);
}

LRESULT CALLBACK boxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Box* box = boxOf(window);
    switch (message) {
    case WM_PASTE:
        log("paste " + nameOf(*box));
        if (box->refusesPaste)
            return 0;
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        char vk[8];
        std::snprintf(vk, sizeof vk, "%02x", static_cast<unsigned>(wParam));
        log("key " + nameOf(*box) + " " + vk);
        break;
    }
    case WM_RBUTTONDOWN:
        log("rbutton " + nameOf(*box));
        break;
    case WM_CONTEXTMENU:
        log("contextmenu " + nameOf(*box));
        return 0; // no menu: it would take the focus
    default:
        break;
    }
    return CallWindowProcW(box->original, window, message, wParam, lParam);
}

void logText(Box& box)
{
    const int length = GetWindowTextLengthW(box.window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(box.window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    std::string hex;
    for (unsigned char c : utf8(text)) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", c);
        hex += pair;
    }
    log("text " + nameOf(box) + " " + hex);
}

LRESULT CALLBACK formProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDOK) {
            log("ok");
            return 0;
        }
        for (auto& box : boxes) {
            if (box.id != id)
                continue;
            if (HIWORD(wParam) == EN_CHANGE)
                logText(box);
            else if (HIWORD(wParam) == EN_SETFOCUS)
                log("focus " + nameOf(box));
        }
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2 || !(logFile = _wfopen(argv[1], L"a")))
        return 2;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW formClass{};
    formClass.lpfnWndProc = formProcedure;
    formClass.hInstance = instance;
    formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    formClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    formClass.lpszClassName = L"Win32FormClass";
    RegisterClassW(&formClass);
    HWND form = CreateWindowExW(0, formClass.lpszClassName, L"Win32 Form", WS_OVERLAPPEDWINDOW, 100, 100, 420, 460,
                                nullptr, nullptr, instance, nullptr);
    int y = 12;
    for (auto& box : boxes) {
        const int height = box.multiLine ? 96 : 24;
        CreateWindowExW(0, L"STATIC", box.name, WS_CHILD | WS_VISIBLE, 12, y + 4, 80, 20, form, nullptr, instance,
                        nullptr);
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER
            | (box.multiLine ? ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL : ES_AUTOHSCROLL);
        box.window = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", style, 100, y, 280, height, form,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(box.id)), instance, nullptr);
        box.original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(box.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(boxProcedure)));
        y += height + 12;
    }
    CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 100, y, 80, 28,
                    form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance, nullptr);
    ShowWindow(form, SW_SHOWNORMAL);
    UpdateWindow(form);
    log("pid " + std::to_string(GetCurrentProcessId()));
    for (auto& box : boxes) {
        RECT r;
        GetWindowRect(box.window, &r);
        log("at " + nameOf(box) + " " + std::to_string((r.left + r.right) / 2) + " "
            + std::to_string((r.top + r.bottom) / 2));
    }
    log("ready");

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // IsDialogMessage gives Tab and Enter their dialog meaning: the next
        // box, the default button.
        if (IsDialogMessageW(form, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
