// Start-up: warn when another copy runs, mark this one as running,
// put the icon in the tray, switch paste mode off and load the data files.

#include "app/Application.h"

#include "app/Autostart.h"

#include "app/ProgramsConfigWatcher.h"
#include "app/RunningCopyLock.h"
#include "config/ProgramsConfig.h"
#include "engine/PasteEngine.h"
#include "model/ModelFiles.h"
#include "ui/layout/Texts.h"
#include "ui/main/MainWindow.h"
#include "ui/tray/NoticeWindow.h"
#include "ui/tray/TrayIconView.h"
#include "ui/tray/TrayMenu.h"

#include <QPushButton>

#include <cstdio>

namespace tapfill {


Application::Application(platform::Platform& platform, std::filesystem::path dataDir,
                         std::function<void(int)> endProcess)
    : platform_(platform), dataDir_(std::move(dataDir)), endProcess_(std::move(endProcess))
{
    engine = std::make_unique<engine::PasteEngine>(model, platform_);
    mainWindow = std::make_unique<ui::MainWindow>(model, *engine, platform_, dataDir_);
    trayIcon = std::make_unique<ui::TrayIconView>(model, *engine, *platform_.tray);
    notice = std::make_unique<ui::NoticeWindow>();
    connect(mainWindow->exitButton, &QAbstractButton::clicked, this, [this] { exit(); });

    ui::TrayMenu::Commands commands;
    commands.showWindow = [this] {
        mainWindow->show();
        mainWindow->raise();
        mainWindow->activateWindow();
    };
    commands.exit = [this] { exit(); }; // as the EXIT button
    commands.autostartEnabled = [] { return autostartEnabled(autostartEntryPath()); };
    commands.setAutostart = [](bool on, std::string& error) {
        const AutostartResult result = setAutostart(on);
        error = result.message;
        return result.ok;
    };
    commands.reportFailure = [this](const std::string& error) { tell(QString::fromStdString(error)); };
    trayMenu = std::make_unique<ui::TrayMenu>(model, *engine, std::move(commands));
    platform_.tray->setMenu(&trayMenu->menu);
    connect(mainWindow.get(), &ui::MainWindow::closed, this, [this] { onMainWindowClosed(); });
    deliveryStopped_ = engine->deliveryStopped.connect([this](const std::string& reason) {
        std::fprintf(stderr, "tapfill: the field was not pasted: %s\n", reason.c_str());
        const QString text =
            QString::fromLatin1(texts::NotPastedPrefix) + QString::fromStdString(reason) + QLatin1Char('.');
        // The user is clicking through another program's form: a message
        // box would take the focus from it and block Tapfill's window until
        // answered; a tray message, or without a tray the notice, does not.
        if (platform_.tray->available())
            platform_.tray->showMessage(QStringLiteral("Tapfill"), text);
        else
            notice->tell(QStringLiteral("Tapfill"), text);
    });
    programsConfig = std::make_unique<ProgramsConfigWatcher>(
        config::programsConfigPath(),
        [this](const config::ProgramsConfig& config) { engine->setProgramsConfig(config); },
        [this](const QString& text) { tell(text); });
}

void Application::tell(const QString& text)
{
    platform_.dialogs->messageBox(text, QStringLiteral("Tapfill"),
                                  platform::MsgBox::OkOnly + platform::MsgBox::Exclamation);
}

bool Application::start()
{
    if (!confirmSecondCopy()) {
        onMainWindowClosed();
        endProcess_(0);
        return false;
    }
    started_ = true;
    if (copyLock_)
        copyLock_->hold();
    // Older versions, and other programs, still read the flag.
    platform_.settings->saveSetting(RunningFlagApplication, RunningFlagSection, RunningFlagKey, "1");
    model.setPasteMode(false);
    trayIcon->show();
    loadDataFiles();
    programsConfig->reload();

    // Without a tray the icon cannot be double-clicked, and the program
    // would be out of reach: show the window instead.
    if (!platform_.tray->available())
        mainWindow->show();
    return true;
}

void Application::useRunningCopyLock(const std::filesystem::path& file)
{
    copyLock_ = std::make_unique<RunningCopyLock>(file);
}

bool Application::confirmSecondCopy()
{
    // The running flag is no test: a copy that was killed left it at "1".
    if (!copyLock_ || !copyLock_->anotherCopyRuns())
        return true;
    return platform_.dialogs->messageBox(QString::fromLatin1(texts::TwoCopiesText),
                                         QString::fromLatin1(texts::TwoCopiesTitle), texts::TwoCopiesStyle) == platform::MsgBox::AnswerYes;
}

void Application::loadDataFiles()
{
    model.windowLeft = mainWindow->leftTwips();
    model.windowTop = mainWindow->topTwips();
    model::loadDataFiles(dataDir_, model);
    mainWindow->moveToTwips(model.windowLeft, model.windowTop);
    mainWindow->showModel();
}

} // namespace tapfill
