#include "app/windows/WindowsApplication.h"

#include "app/RunningFlag.h"
#include "model/ModelFiles.h"
#include "platform/windows/HiddenWindow.h"
#include "platform/windows/WindowsDialogs.h"
#include "ui/layout/Texts.h"
#include "ui/layout/Version.h"

#include <cstdio>

namespace tapfill::windows {

WindowsApplication::WindowsApplication(platform::windows::WindowsPlatform& platform, std::filesystem::path dataDir)
    : platform_(platform), dataDir_(std::move(dataDir))
{
    engine = std::make_unique<engine::PasteEngine>(model, platform_.paste);
    mainWindow = std::make_unique<ui::win32::MainWindow>(model, *engine, dataDir_);
    mainWindow->onExit = [this] { exit(); };
    mainWindow->tell = [this](const std::string& text) { tell(text); };
    TrayView::Commands commands;
    commands.showWindow = [this] {
        mainWindow->show();
        SetForegroundWindow(mainWindow->window()); // chosen from the menu: the user wants it
    };
    commands.exit = [this] { exit(); };
    commands.reportFailure = [this](const std::string& text) { tell(text); };
    tray_ = std::make_unique<TrayView>(model, *engine, platform_.tray, std::move(commands));
    deliveryStopped_ = engine->deliveryStopped.connect([this](const std::string& reason) {
        std::fprintf(stderr, "tapfill: the field was not pasted: %s\n", reason.c_str());
        // A balloon takes no focus from the form the user is filling.
        platform_.tray.showMessage(ApplicationTitle, texts::NotPastedPrefix + reason + '.');
    });
    programsConfig_ = std::make_unique<ProgramsConfigWatch>(
        config::programsConfigPath(), [this](const config::ProgramsConfig& config) { engine->setProgramsConfig(config); },
        [this](const std::string& text) { tell(text); });
    sessionWindow_ = platform::windows::createHiddenWindow(L"TapfillSession", &sessionProcedure, this,
                                                           platform::windows::HiddenKind::TopLevel);
}

WindowsApplication::~WindowsApplication()
{
    platform::windows::destroyHiddenWindow(sessionWindow_);
    if (started_)
        exit();
    tray_.reset();
    mainWindow.reset();
    engine.reset();
}

bool WindowsApplication::start()
{
    // The running flag is no test: a copy that was killed left it at "1".
    if (copyMutex_.anotherCopyRuns()
        && platform::windows::messageBox(nullptr, texts::TwoCopiesText, texts::TwoCopiesTitle, texts::TwoCopiesStyle)
               != platform::MsgBox::AnswerYes)
        return false;
    started_ = true;
    // Older versions, and other programs, still read the flag.
    platform_.settings.saveSetting(RunningFlagApplication, RunningFlagSection, RunningFlagKey, "1");
    model.setPasteMode(false);
    tray_->show();
    loadDataFiles();
    programsConfig_->reload();
    // Without a tray the icon cannot be double-clicked, and the program
    // would be out of reach: show the window instead.
    if (!platform_.tray.available())
        mainWindow->show();
    return true;
}

void WindowsApplication::loadDataFiles()
{
    model.windowLeft = mainWindow->leftTwips();
    model.windowTop = mainWindow->topTwips();
    model::loadDataFiles(dataDir_, model);
    mainWindow->moveToTwips(model.windowLeft, model.windowTop);
    mainWindow->showModel();
}

void WindowsApplication::exit()
{
    if (engine)
        engine->giveClipboardBackNow(); // a field never outlives Tapfill
    if (started_) {
        platform_.settings.saveSetting(RunningFlagApplication, RunningFlagSection, RunningFlagKey, "0");
        tray_->remove();
        started_ = false;
    }
    PostQuitMessage(0);
}

void WindowsApplication::tell(const std::string& text)
{
    platform::windows::messageBox(mainWindow ? mainWindow->window() : nullptr, text, ApplicationTitle,
                                  platform::MsgBox::OkOnly + platform::MsgBox::Exclamation);
}

int WindowsApplication::run()
{
    MSG message;
    for (;;) {
        HANDLE changed = programsConfig_->changed();
        const DWORD woken = MsgWaitForMultipleObjectsEx(changed ? 1 : 0, &changed, INFINITE, QS_ALLINPUT,
                                                        MWMO_INPUTAVAILABLE);
        if (changed && woken == WAIT_OBJECT_0)
            programsConfig_->reload();
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return static_cast<int>(message.wParam);
            // Tab walks the controls in their described order; the arrow
            // keys walk an option group.
            if (ui::win32::LayoutWindow::moveFocusByTab(message) || IsDialogMessageW(mainWindow->window(), &message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

LRESULT CALLBACK WindowsApplication::sessionProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = platform::windows::hiddenWindowOwner<WindowsApplication>(window);
    if (self && (message == WM_CLOSE || (message == WM_ENDSESSION && wParam))) {
        self->exit();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace tapfill::windows
