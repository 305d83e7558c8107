#include "ui/tray/TrayIconView.h"

#include "ui/layout/Texts.h"
#include "ui/main/Icons.h"

namespace tapfill::ui {

TrayIconView::TrayIconView(model::AppModel& model, engine::PasteEngine& engine, platform::TrayIcon& tray)
    : model_(model), tray_(tray)
{
    tray_.onDoubleClick = [&engine] { engine.togglePasteModeWithWindow(); };
    pasteModeChanged_ = model_.pasteModeChanged.connect([this](bool) {
        if (shown_)
            show();
    });
}

void TrayIconView::show()
{
    const bool active = model_.pasteMode();
    tray_.show(active ? activeIcon() : idleIcon(), QLatin1String(active ? texts::ActiveTip : texts::IdleTip));
    shown_ = true;
}

void TrayIconView::remove()
{
    tray_.remove();
    shown_ = false;
}

} // namespace tapfill::ui
