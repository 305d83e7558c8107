#pragma once
// The tray icon shows whether paste mode is on, and its double click
// switches paste mode together with the main window.

#include "engine/PasteEngine.h"
#include "model/AppModel.h"
#include "platform/TrayIcon.h"

#include <QObject>

namespace tapfill::ui {

class TrayIconView : public QObject {
    Q_OBJECT
public:
    TrayIconView(model::AppModel& model, engine::PasteEngine& engine, platform::TrayIcon& tray);

    /// Puts the icon into the tray, showing the present paste mode.
    void show();
    void remove();

private:
    model::AppModel& model_;
    platform::TrayIcon& tray_;
    bool shown_ = false;
    model::Connection pasteModeChanged_;
};

} // namespace tapfill::ui
