#pragma once
// The running program: the shared state, the main window and the paste
// engine, with the start-up sequence that loads them and the orderly stops.

#include "app/SharedState.h"
#include "platform/Platform.h"

#include <QObject>

#include <filesystem>
#include <functional>
#include <memory>

namespace tapfill::ui {
class MainWindow;
}
namespace tapfill::paste {
class PasteEngine;
}

namespace tapfill {

/// Where the running flag lives in the per-user settings.
inline constexpr const char* RunningFlagApplication = "lockfiles";
inline constexpr const char* RunningFlagSection = "startit";
inline constexpr const char* RunningFlagKey = "FL1";

class Application : public QObject {
    Q_OBJECT
public:
    /// `endProcess` ends the process at once, without running any window's
    /// handlers; tests record the call instead.
    Application(platform::Platform& platform, std::filesystem::path dataDir,
                std::function<void(int exitCode)> endProcess);
    ~Application() override;

    SharedState state;
    std::unique_ptr<ui::MainWindow> TFPRO;
    std::unique_ptr<paste::PasteEngine> engine;

    /// The start-up sequence: the two-copies check, the running flag, the
    /// tray icon and the data files. The main window stays hidden unless the
    /// desktop has no tray. False when the user chose not to start a second copy.
    bool Form_Load();

    void Command5_Click(); ///< "EXIT"
    void Form_Unload();    ///< the main window is closed by other means
    void Form_Terminate(); ///< the main window object goes away
    /// Stops in order when the session ends or the process is asked to stop.
    void stop();

private:
    bool confirmSecondCopy();
    /// The running flag back to "0" and the tray icon removed.
    void leaveNoTrace();
    void loadDataFiles();

    platform::Platform& platform_;
    std::filesystem::path dataDir_;
    std::function<void(int)> endProcess_;
    bool loaded_ = false;
};

} // namespace tapfill
