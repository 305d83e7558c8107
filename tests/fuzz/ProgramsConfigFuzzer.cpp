// Feeds arbitrary text to the programs.conf reader: every problem names a
// line of the file, and whatever the reader took from it, written out as a
// file again, reads back the same and without a problem.
#include "config/ProgramsConfig.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace tapfill::config;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

std::string written(const ProgramsConfig& config)
{
    const KeyChord& key = config.pasteModeKey;
    std::string text = "[General]\npasteModeKey = ";
    text += std::string(key.ctrl ? "ctrl+" : "") + (key.alt ? "alt+" : "") + (key.shift ? "shift+" : "")
            + (key.super ? "super+" : "") + key.keysym + "\n";
    text += config.restoreClipboard ? "restoreClipboard = true\n" : "restoreClipboard = false\n";
    for (const auto& [program, method] : config.pasteRules)
        text += "[" + program + "]\npaste = " + std::string(pasteMethodName(method)) + "\n";
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string_view file(reinterpret_cast<const char*>(bytes), size);
    std::vector<ConfigProblem> problems;
    const ProgramsConfig config = parseProgramsConfig(file, problems);

    const int lines = static_cast<int>(std::count(file.begin(), file.end(), '\n')) + 1;
    for (const ConfigProblem& problem : problems)
        require(problem.line >= 1 && problem.line <= lines && !problem.message.empty());
    if (!problems.empty())
        require(!describeProblems("programs.conf", problems).empty());
    require(!config.pasteModeKey.keysym.empty());
    for (const auto& [program, method] : config.pasteRules)
        require(!program.empty() && config.pasteMethodFor(program, "") == method);

    std::vector<ConfigProblem> again;
    const ProgramsConfig back = parseProgramsConfig(written(config), again);
    require(again.empty());
    require(back.pasteModeKey == config.pasteModeKey && back.restoreClipboard == config.restoreClipboard
            && back.pasteRules == config.pasteRules);
    return 0;
}
