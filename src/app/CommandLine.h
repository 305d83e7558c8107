#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tapfill {

struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Fail };
    Action action = Action::Run;
    /// Where the data files live; empty for the program's own folder.
    std::filesystem::path dataDir;
    /// What went wrong, for Action::Fail.
    std::string error;
};

CommandLine parseCommandLine(const std::vector<std::string>& args);
std::string helpText();

} // namespace tapfill
