#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tapfill {

struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, SetAutostart, Fail };
    Action action = Action::Run;
    /// Where the data files live; empty for the program's own folder.
    std::filesystem::path dataDir;
    /// For Action::SetAutostart: start with the desktop (true) or not.
    bool autostart = false;
    /// What went wrong, for Action::Fail.
    std::string error;
};

CommandLine parseCommandLine(const std::vector<std::string>& args);
/// The usage text; `dataLocation` tells which data folder this copy uses.
std::string helpText(const std::string& dataLocation);
/// The version, and that Tapfill is free software under GPL-3.0-or-later.
std::string versionText();

} // namespace tapfill
