// Where programs.conf lives, reading it whole, and the one message that
// tells the user what in it was not understood.

#include "config/ProgramsConfig.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

namespace tapfill::config {
namespace {
// A settings file of a few dozen lines; anything this large is not one.
constexpr std::uintmax_t LargestFile = 1 << 20;
// The message names this many problems, then counts the rest.
constexpr std::size_t ProblemsNamed = 5;
} // namespace

std::filesystem::path programsConfigPath()
{
#ifdef _WIN32
    // The roaming application data folder, as every Windows program keeps
    // its settings; read as UTF-16, so that any user name works.
    const wchar_t* appData = ::_wgetenv(L"APPDATA");
    const std::filesystem::path base = appData && *appData ? appData : L".";
    return base / "Tapfill" / "programs.conf";
#else
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    // A relative XDG_CONFIG_HOME is ignored, as for every XDG folder.
    if (xdg && *xdg && std::filesystem::path(xdg).is_absolute())
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".config";
    else
        base = ".config";
    return base / "Tapfill" / "programs.conf";
#endif
}

ProgramsConfig loadProgramsConfig(const std::filesystem::path& path, std::vector<ConfigProblem>& problems)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return {};
    if (ec || !std::filesystem::is_regular_file(status)) {
        problems.push_back({0, "is not a readable file"});
        return {};
    }
    if (std::filesystem::file_size(path, ec) > LargestFile || ec) {
        problems.push_back({0, "is too large to be a settings file; its settings are not used"});
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (!in || !(text << in.rdbuf())) {
        // An empty file reads as a failed stream copy: it is no problem.
        if (in && in.peek() == std::ifstream::traits_type::eof())
            return {};
        problems.push_back({0, "cannot be read"});
        return {};
    }
    return parseProgramsConfig(text.str(), problems);
}

std::string describeProblems(const std::filesystem::path& path, const std::vector<ConfigProblem>& problems)
{
    std::string message = path.string() + ": ";
    if (problems.size() == 1 && problems.front().line == 0)
        return message + problems.front().message + "; the built-in settings apply.";
    message += "these lines are not understood, and the built-in settings apply for them:";
    for (std::size_t i = 0; i < problems.size() && i < ProblemsNamed; ++i) {
        const auto& p = problems[i];
        message += p.line > 0 ? "\nline " + std::to_string(p.line) + ": " : "\n";
        message += p.message;
    }
    if (problems.size() > ProblemsNamed)
        message += "\n... and " + std::to_string(problems.size() - ProblemsNamed) + " more";
    return message;
}

} // namespace tapfill::config
