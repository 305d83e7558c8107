#include "app/windows/TrayView.h"

#include "ResourceIds.h"
#include "app/DataLocation.h"
#include "app/windows/RegistryAutostart.h"
#include "platform/windows/Processes.h"
#include "ui/layout/Texts.h"

namespace tapfill::windows {
namespace {

enum MenuItem : UINT { ShowWindowItem = 1, PasteModeItem, AutostartItem, ExitItem };

HICON trayIcon(int id)
{
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
}

} // namespace

TrayView::TrayView(model::AppModel& model, engine::PasteEngine& engine, platform::windows::WindowsTrayIcon& tray,
                   Commands commands)
    : model_(model), engine_(engine), tray_(tray), commands_(std::move(commands)),
      idle_(trayIcon(TAPFILL_ICON_IDLE)), active_(trayIcon(TAPFILL_ICON_ACTIVE))
{
    tray_.onDoubleClick = [this] { engine_.togglePasteModeWithWindow(); };
    tray_.onMenuRequested = [this] { openMenu(); };
    pasteModeChanged_ = model_.pasteModeChanged.connect([this](bool) {
        if (shown_)
            show();
    });
}

TrayView::~TrayView()
{
    tray_.onDoubleClick = nullptr;
    tray_.onMenuRequested = nullptr;
    DestroyIcon(idle_);
    DestroyIcon(active_);
}

void TrayView::show()
{
    const bool active = model_.pasteMode();
    tray_.show(active ? active_ : idle_, active ? texts::ActiveTip : texts::IdleTip);
    shown_ = true;
}

void TrayView::remove()
{
    tray_.remove();
    shown_ = false;
}

void TrayView::openMenu()
{
    using platform::windows::widened;
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, ShowWindowItem, widened(texts::ShowWindowItem).c_str());
    AppendMenuW(menu, MF_STRING | (model_.pasteMode() ? MF_CHECKED : 0), PasteModeItem,
                widened(texts::PasteModeItem).c_str());
    const bool autostart = autostartEnabled();
    AppendMenuW(menu, MF_STRING | (autostart ? MF_CHECKED : 0), AutostartItem, widened(texts::AutostartItem).c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, ExitItem, widened(texts::ExitItem).c_str());
    POINT at{};
    GetCursorPos(&at);
    // Without the foreground the menu would stay open when the user clicks
    // elsewhere.
    SetForegroundWindow(tray_.window());
    const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0,
                                       tray_.window(), nullptr);
    PostMessageW(tray_.window(), WM_NULL, 0, 0);
    DestroyMenu(menu);
    switch (chosen) {
    case ShowWindowItem:
        commands_.showWindow();
        break;
    case PasteModeItem:
        engine_.togglePasteModeWithWindow(); // as a double click on the icon
        break;
    case AutostartItem:
        if (const AutostartResult result = setAutostart(!autostart, runningProgramPath()); !result.ok)
            commands_.reportFailure(result.message);
        break;
    case ExitItem:
        commands_.exit();
        break;
    default:
        break;
    }
}

} // namespace tapfill::windows
