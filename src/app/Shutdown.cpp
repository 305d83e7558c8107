// Every orderly stop gives the user's clipboard content back, leaves the
// running flag at "0" and removes the tray icon. Nothing is saved here: only SAVE writes the data files.

#include "app/Application.h"

#include "app/ProgramsConfigWatcher.h"
#include "app/RunningCopyLock.h"
#include "engine/PasteEngine.h"
#include "ui/main/MainWindow.h"
#include "ui/tray/NoticeWindow.h"
#include "ui/tray/TrayIconView.h"
#include "ui/tray/TrayMenu.h"

#include <QCoreApplication>

namespace tapfill {

void Application::leaveNoTrace()
{
    if (engine)
        engine->giveClipboardBackNow(); // a field never outlives Tapfill
    platform_.settings->saveSetting(RunningFlagApplication, RunningFlagSection, RunningFlagKey, "0");
    trayIcon->remove();
}

void Application::exit()
{
    leaveNoTrace();
    endProcess_(0);
}

void Application::onMainWindowClosed()
{
    leaveNoTrace();
    if (started_)
        QCoreApplication::quit();
}

void Application::stop()
{
    if (started_)
        onMainWindowClosed(); // as when the system closes the main window
    else
        QCoreApplication::quit(); // still in the splash: nothing to undo
}

Application::~Application()
{
    if (started_)
        leaveNoTrace();
    platform_.tray->setMenu(nullptr);
    trayMenu.reset();
    trayIcon.reset();
    mainWindow.reset();
    engine.reset();
}

} // namespace tapfill
