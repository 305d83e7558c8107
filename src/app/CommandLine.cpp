#include "app/CommandLine.h"

#include "app/Version.h"

namespace tapfill {

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
                    return {CommandLine::Action::Fail, {}, "--data-dir needs a folder"};
                value = args[++i];
            } else {
                value = arg.substr(std::string_view("--data-dir=").size());
            }
            if (value.empty())
                return {CommandLine::Action::Fail, {}, "--data-dir needs a folder"};
            line.dataDir = value;
            continue;
        }
        return {CommandLine::Action::Fail, {}, "unknown option '" + arg + "' (see --help)"};
    }
    return line;
}

std::string helpText()
{
    return std::string("Usage: tapfill [--data-dir DIR]\n"
                       "\n"
                       "Tapfill keeps one-line, personal and multi-line texts and pastes the selected\n"
                       "one into whatever box you click, in any program. It lives in the system tray:\n"
                       "double-click the icon (or press F12) for paste mode and the main window.\n"
                       "\n"
                       "  --data-dir DIR  keep the data files in DIR instead of the program's folder\n"
                       "                  (for copies installed where that folder is not writable)\n"
                       "  --help          show this text\n"
                       "  --version       show the version\n");
}

} // namespace tapfill
