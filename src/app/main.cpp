// Tapfill: the splash, then the tray, until EXIT.

#include "app/Application.h"
#include "app/Autostart.h"
#include "app/CommandLine.h"
#include "app/DataLocation.h"
#include "app/RunningCopyLock.h"
#include "app/TerminationSignals.h"
#include "platform/DesktopPlatform.h"
#include "ui/layout/Version.h"
#include "platform/gnome/GnomePlatform.h"
#include "ui/splash/SplashWindow.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <system_error>

namespace {

/// Qt aborts with a long message when it finds no display; say it in one line.
bool displayReachable(std::string& error)
{
    const char* platformName = std::getenv("QT_QPA_PLATFORM");
    if (platformName && std::string(platformName) != "xcb")
        return true; // offscreen, or a platform the user chose on purpose
    const char* display = std::getenv("DISPLAY");
    if (display && *display)
        return true;
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (wayland && *wayland)
        error = "Tapfill can only fill X11 programs, and this Wayland session offers no X11 display "
                "(DISPLAY is not set). Start Tapfill under XWayland: DISPLAY=:0 tapfill";
    else
        error = "no display: DISPLAY is not set. Start Tapfill from a desktop session, or set DISPLAY.";
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    const tapfill::CommandLine line = tapfill::parseCommandLine({argv + 1, argv + argc});
    const tapfill::DataLocation dataLocation =
        tapfill::chooseDataLocation(tapfill::currentDataLocationInputs(line.dataDir));
    switch (line.action) {
    case tapfill::CommandLine::Action::ShowHelp:
        std::cout << tapfill::helpText(tapfill::describeDataLocation(dataLocation));
        return 0;
    case tapfill::CommandLine::Action::SetAutostart: {
        const auto result = tapfill::setAutostart(line.autostart);
        (result.ok ? std::cout : std::cerr) << (result.ok ? "" : "tapfill: ") << result.message << '\n';
        return result.ok ? 0 : 1;
    }
    case tapfill::CommandLine::Action::ShowVersion:
        std::cout << tapfill::versionText();
        return 0;
    case tapfill::CommandLine::Action::Fail:
        std::cerr << "tapfill: " << line.error << '\n';
        return 2;
    case tapfill::CommandLine::Action::Run:
        break;
    }

    std::string error;
    // On GNOME under Wayland Tapfill's Shell extension sees and types for
    // it, and Tapfill is a Wayland client; elsewhere it speaks X11.
    const bool gnome = tapfill::platform::gnome::isGnomeWayland(tapfill::platform::gnome::currentSessionEnvironment());
    if (!gnome && !displayReachable(error)) {
        std::cerr << "tapfill: " << error << '\n';
        return 1;
    }
    // The hooks and keystrokes speak X11; under XWayland Qt must use it too.
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", gnome ? "wayland" : "xcb");

    QApplication app(argc, argv);
    QApplication::setApplicationName(tapfill::ApplicationTitle);
    QApplication::setApplicationVersion(tapfill::VersionText);
    // The program lives in the tray; hiding its last window must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    const std::filesystem::path dataDir = tapfill::prepareDataFolder(dataLocation, error);
    if (dataDir.empty()) {
        std::cerr << "tapfill: " << error << '\n';
        return 1;
    }
    auto platform = gnome ? tapfill::platform::gnome::makeGnomePlatform(error)
                          : tapfill::platform::makeDesktopPlatform(error);
    if (!platform) {
        std::cerr << "tapfill: " << error << '\n';
        // Started from the desktop's menu, no one reads stderr.
        if (gnome)
            QMessageBox::warning(nullptr, QStringLiteral("Tapfill"), QString::fromStdString(error));
        return 1;
    }

    tapfill::Application application(*platform, dataDir, [](int code) {
        std::fflush(nullptr);
        std::_Exit(code); // at once: no window handler runs, nothing is saved
    });
    application.useRunningCopyLock(tapfill::runningCopyLockPath());
    tapfill::handleTerminationSignals(&application, [&application] { application.stop(); });

    auto* splash = new tapfill::ui::SplashWindow; // deletes itself when it hands over
    QObject::connect(splash, &tapfill::ui::SplashWindow::finished, &application,
                     [&application] { application.start(); });
    splash->show();
    return app.exec();
}
