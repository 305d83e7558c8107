#pragma once
// The running program on Windows: the model, the paste engine and the tray
// icon over the Win32 services, with the start-up sequence and the orderly
// stops. Its windows come from the shared descriptions.

#include "app/windows/ProgramsConfigWatch.h"
#include "app/windows/RunningCopyMutex.h"
#include "app/windows/TrayView.h"
#include "engine/PasteEngine.h"
#include "model/AppModel.h"
#include "platform/windows/WindowsPlatform.h"
#include "ui/win32/MainWindow.h"

#include <filesystem>
#include <memory>
#include <string>

namespace tapfill::windows {

class WindowsApplication {
public:
    WindowsApplication(platform::windows::WindowsPlatform& platform, std::filesystem::path dataDir);
    ~WindowsApplication();
    WindowsApplication(const WindowsApplication&) = delete;
    WindowsApplication& operator=(const WindowsApplication&) = delete;

    /// The two-copies check, the running flag, the tray icon, the data
    /// files and programs.conf. False when the user chose not to start a
    /// second copy.
    bool start();
    /// EXIT, and the orderly stops (the session ends, the window is closed
    /// by the system): the running flag back to "0", the icon removed, the
    /// message loop ended. Nothing is saved.
    void exit();

    /// Runs the window messages and the reloads of programs.conf until EXIT.
    int run();

    model::AppModel model;
    std::unique_ptr<engine::PasteEngine> engine;
    std::unique_ptr<ui::win32::MainWindow> mainWindow;

private:
    static LRESULT CALLBACK sessionProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    /// A message for the user that needs no answer.
    void tell(const std::string& text);
    void loadDataFiles();

    platform::windows::WindowsPlatform& platform_;
    std::filesystem::path dataDir_;
    RunningCopyMutex copyMutex_;
    std::unique_ptr<TrayView> tray_;
    std::unique_ptr<ProgramsConfigWatch> programsConfig_;
    /// A hidden top-level window: it hears the session's end and requests to close.
    HWND sessionWindow_ = nullptr;
    bool started_ = false;
    model::Connection deliveryStopped_;
};

} // namespace tapfill::windows
