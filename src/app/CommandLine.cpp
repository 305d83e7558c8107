#include "app/CommandLine.h"

#include "ui/layout/Version.h"

#include <utility>

namespace tapfill {

namespace {

CommandLine fail(std::string error)
{
    CommandLine line;
    line.action = CommandLine::Action::Fail;
    line.error = std::move(error);
    return line;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            line.action = CommandLine::Action::ShowHelp;
            return line;
        }
        if (arg == "--version" || arg == "-v") {
            line.action = CommandLine::Action::ShowVersion;
            return line;
        }
        if (arg == "--data-dir" || arg.starts_with("--data-dir=")) {
            std::string value;
            if (arg == "--data-dir") {
                if (i + 1 == args.size())
                    return fail("--data-dir needs a folder");
                value = args[++i];
            } else {
                value = arg.substr(std::string_view("--data-dir=").size());
            }
            if (value.empty())
                return fail("--data-dir needs a folder");
            line.dataDir = value;
            continue;
        }
        if (arg == "--autostart" || arg.starts_with("--autostart=")) {
            std::string value;
            if (arg == "--autostart") {
                if (i + 1 == args.size())
                    return fail("--autostart needs on or off");
                value = args[++i];
            } else {
                value = arg.substr(std::string_view("--autostart=").size());
            }
            if (value != "on" && value != "off")
                return fail("--autostart needs on or off, not '" + value + "'");
            line.action = CommandLine::Action::SetAutostart;
            line.autostart = value == "on";
            continue;
        }
        return fail("unknown option '" + arg + "' (see --help)");
    }
    return line;
}

std::string helpText(const std::string& dataLocation)
{
#ifdef _WIN32
    constexpr const char* autostart = "start Tapfill with Windows, or no longer, and exit";
    constexpr const char* platformNotes =
        "A copy run from a folder it may write to keeps its data files beside the\n"
        "program; an installed copy keeps them in %APPDATA%\\Tapfill.\n\n";
#else
    constexpr const char* autostart = "start Tapfill with the desktop, or no longer, and exit";
    constexpr const char* platformNotes =
        "A copy run from a folder it may write to keeps its data files beside the\n"
        "program; an installed copy keeps them in $XDG_DATA_HOME/tapfill\n"
        "(~/.local/share/tapfill by default).\n"
        "\n"
        "On GNOME under Wayland Tapfill works through its GNOME Shell extension, which\n"
        "the package installs; turn it on once (after logging in again) with\n"
        "    gnome-extensions enable tapfill@tapfill.github.io\n\n";
#endif
    return std::string("Usage: tapfill [--data-dir DIR]\n"
                       "       tapfill --autostart on|off\n"
                       "\n"
                       "Tapfill keeps one-line, personal and multi-line texts and pastes the selected\n"
                       "one into whatever box you click, in any program. It lives in the system tray:\n"
                       "double-click the icon (or press F12) for paste mode and the main window.\n"
                       "\n"
                       "  --data-dir DIR       keep the data files in DIR\n"
                       "  --autostart on|off   ")
        + autostart + "\n"
                      "  --help               show this text\n"
                      "  --version            show the version\n"
                      "\n"
        + platformNotes + dataLocation;
}

std::string versionText()
{
    return std::string(ApplicationTitle) + ' ' + VersionText + "\n"
           "Copyright (C) 2026 Tapfill developers\n"
           "License GPL-3.0-or-later: GNU GPL version 3 or later <https://www.gnu.org/licenses/gpl.html>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

} // namespace tapfill
