// Tapfill on Windows: the splash, then the tray, until EXIT.

#include "app/CommandLine.h"
#include "app/DataLocation.h"
#include "app/windows/RegistryAutostart.h"
#include "app/windows/WindowsApplication.h"
#include "platform/MsgBox.h"
#include "platform/windows/Processes.h"
#include "platform/windows/WindowsDialogs.h"
#include "ui/win32/SplashWindow.h"
#include "ui/layout/Version.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> arguments()
{
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i)
        args.push_back(tapfill::platform::windows::narrowed(words[i]));
    LocalFree(words);
    return args;
}

/// A Windows program has no console of its own: what it prints goes where
/// its output was sent, or else to the console it was started from.
void connectOutput()
{
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if ((out == nullptr || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
    _setmode(_fileno(stdout), _O_BINARY); // lines end in LF, as on Linux
}

int fail(const std::string& error, int code)
{
    std::fprintf(stderr, "tapfill: %s\n", error.c_str());
    // Started from the Start menu, no one reads stderr.
    tapfill::platform::windows::messageBox(nullptr, error, tapfill::ApplicationTitle,
                                           tapfill::platform::MsgBox::OkOnly + tapfill::platform::MsgBox::Critical);
    return code;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    connectOutput();
    const tapfill::CommandLine line = tapfill::parseCommandLine(arguments());
    const tapfill::DataLocation dataLocation =
        tapfill::chooseDataLocation(tapfill::currentDataLocationInputs(line.dataDir));
    switch (line.action) {
    case tapfill::CommandLine::Action::ShowHelp:
        std::fputs(tapfill::helpText(tapfill::describeDataLocation(dataLocation)).c_str(), stdout);
        return 0;
    case tapfill::CommandLine::Action::SetAutostart: {
        const auto result = tapfill::windows::setAutostart(line.autostart, tapfill::runningProgramPath());
        std::fprintf(result.ok ? stdout : stderr, "%s%s\n", result.ok ? "" : "tapfill: ", result.message.c_str());
        return result.ok ? 0 : 1;
    }
    case tapfill::CommandLine::Action::ShowVersion:
        std::fputs(tapfill::versionText().c_str(), stdout);
        return 0;
    case tapfill::CommandLine::Action::Fail:
        std::fprintf(stderr, "tapfill: %s\n", line.error.c_str());
        return 2;
    case tapfill::CommandLine::Action::Run:
        break;
    }

    std::string error;
    const std::filesystem::path dataDir = tapfill::prepareDataFolder(dataLocation, error);
    if (dataDir.empty())
        return fail(error, 1);
    const auto platform = tapfill::platform::windows::makeWindowsPlatform();
    tapfill::windows::WindowsApplication application(*platform, dataDir);
    tapfill::ui::win32::SplashWindow splash;
    splash.onFinished = [&application] {
        if (!application.start())
            PostQuitMessage(0); // no second copy after all
    };
    ShowWindow(splash.window(), SW_SHOW);
    return application.run();
}
