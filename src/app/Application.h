#pragma once
// The running program: the model, the paste engine, the main window and the
// tray icon, with the start-up sequence that loads them and the orderly stops.

#include "app/RunningFlag.h"
#include "model/AppModel.h"
#include "platform/Platform.h"

#include <QObject>

#include <filesystem>
#include <functional>
#include <memory>

namespace tapfill::ui {
class MainWindow;
class NoticeWindow;
class TrayIconView;
class TrayMenu;
}
namespace tapfill::engine {
class PasteEngine;
}
namespace tapfill {
class ProgramsConfigWatcher;
class RunningCopyLock;
}

namespace tapfill {

class Application : public QObject {
    Q_OBJECT
public:
    /// `endProcess` ends the process at once, without running any window's
    /// handlers; tests record the call instead.
    Application(platform::Platform& platform, std::filesystem::path dataDir,
                std::function<void(int exitCode)> endProcess);
    ~Application() override;

    model::AppModel model;
    std::unique_ptr<engine::PasteEngine> engine;
    std::unique_ptr<ui::MainWindow> mainWindow;
    std::unique_ptr<ui::TrayIconView> trayIcon;
    std::unique_ptr<ui::TrayMenu> trayMenu;
    std::unique_ptr<ProgramsConfigWatcher> programsConfig;
    /// Without a tray, tells what the tray's messages would.
    std::unique_ptr<ui::NoticeWindow> notice;

    /// The lock that tells whether another copy runs (RunningCopyLock.h);
    /// without one, start() never warns of a second copy.
    void useRunningCopyLock(const std::filesystem::path& file);

    /// The start-up sequence: the two-copies check, the running flag, the
    /// tray icon and the data files. The main window stays hidden unless the
    /// desktop has no tray. False when the user chose not to start a second copy.
    bool start();

    /// EXIT: the process ends at once; nothing is saved.
    void exit();
    /// The main window is closed by other means than EXIT.
    void onMainWindowClosed();
    /// Stops in order when the session ends or the process is asked to stop.
    void stop();

private:
    bool confirmSecondCopy();
    /// A message for the user that needs no answer.
    void tell(const QString& text);
    /// The running flag back to "0" and the tray icon removed.
    void leaveNoTrace();
    void loadDataFiles();

    platform::Platform& platform_;
    std::filesystem::path dataDir_;
    std::function<void(int)> endProcess_;
    std::unique_ptr<RunningCopyLock> copyLock_;
    bool started_ = false;
    model::Connection deliveryStopped_;
};

} // namespace tapfill
