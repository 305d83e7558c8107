#pragma once
// The tray icon on Windows: its picture and tool tip show whether paste
// mode is on, its double click switches paste mode with the main window,
// and its right click opens the menu (the window, paste mode, start with
// Windows, exit).

#include "engine/PasteEngine.h"
#include "model/AppModel.h"
#include "platform/windows/WindowsTrayIcon.h"

#include <functional>
#include <string>

namespace tapfill::windows {

class TrayView {
public:
    struct Commands {
        std::function<void()> showWindow;
        std::function<void()> exit;
        /// A failure the user should hear of.
        std::function<void(const std::string&)> reportFailure;
    };
    TrayView(model::AppModel& model, engine::PasteEngine& engine, platform::windows::WindowsTrayIcon& tray,
             Commands commands);
    ~TrayView();
    TrayView(const TrayView&) = delete;
    TrayView& operator=(const TrayView&) = delete;

    /// Puts the icon into the tray, showing the present paste mode.
    void show();
    void remove();

private:
    void openMenu();

    model::AppModel& model_;
    engine::PasteEngine& engine_;
    platform::windows::WindowsTrayIcon& tray_;
    Commands commands_;
    HICON idle_ = nullptr;
    HICON active_ = nullptr;
    bool shown_ = false;
    model::Connection pasteModeChanged_;
};

} // namespace tapfill::windows
