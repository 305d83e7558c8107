#pragma once
// The menu of the tray icon's right click: the window, paste mode (switched
// as the icon's double click switches it), starting with the desktop, and
// exit.

#include "engine/PasteEngine.h"
#include "model/AppModel.h"

#include <QMenu>
#include <QObject>

#include <functional>
#include <string>

class QAction;

namespace tapfill::ui {

class TrayMenu : public QObject {
    Q_OBJECT
public:
    /// What the menu's commands do beyond the model and the engine.
    struct Commands {
        std::function<void()> showWindow;
        std::function<void()> exit;
        std::function<bool()> autostartEnabled;
        /// Starts with the desktop (true) or no longer; false, with `error`
        /// set, when that could not be done.
        std::function<bool(bool on, std::string& error)> setAutostart;
        /// Tells the user that `setAutostart` failed.
        std::function<void(const std::string& error)> reportFailure;
    };

    TrayMenu(model::AppModel& model, engine::PasteEngine& engine, Commands commands);

    QMenu menu;
    QAction* showWindowAction = nullptr;
    QAction* pasteModeAction = nullptr;
    QAction* autostartAction = nullptr;
    QAction* exitAction = nullptr;

    /// The check marks brought up to date; the menu does it as it opens.
    void refresh();

private:
    model::AppModel& model_;
    Commands commands_;
    model::Connection pasteModeChanged_;
};

} // namespace tapfill::ui
