// Every orderly stop leaves the running flag at "0" and removes the tray
// icon. Nothing is saved here: only SAVE writes the data files.

#include "app/Application.h"

#include "paste/PasteEngine.h"
#include "ui/main/MainWindow.h"

#include <QCoreApplication>

namespace tapfill {

void Application::leaveNoTrace()
{
    platform_.settings->saveSetting(RunningFlagApplication, RunningFlagSection, RunningFlagKey, "0");
    TFPRO->TrayDelete();
}

void Application::Command5_Click()
{
    leaveNoTrace();
    endProcess_(0);
}

void Application::Form_Unload()
{
    leaveNoTrace();
    if (loaded_)
        QCoreApplication::quit();
}

void Application::stop()
{
    if (loaded_)
        Form_Unload(); // as when the system closes the main window
    else
        QCoreApplication::quit(); // still in the splash: nothing to undo
}

void Application::Form_Terminate()
{
    if (loaded_)
        leaveNoTrace();
}

Application::~Application()
{
    Form_Terminate();
    engine.reset();
    TFPRO.reset();
}

} // namespace tapfill
