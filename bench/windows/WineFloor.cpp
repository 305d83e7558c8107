// The least a windowed program costs under Wine: one top-level window, a
// message loop, nothing else. The Windows benchmark measures it beside
// tapfill.exe, so that Tapfill's own share of the memory shows.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"WineFloor";
    RegisterClassW(&windowClass);
    ShowWindow(CreateWindowExW(0, windowClass.lpszClassName, L"Wine floor", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                               nullptr, nullptr, instance, nullptr),
               SW_SHOWNOACTIVATE);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
