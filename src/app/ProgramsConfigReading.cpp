#include "app/ProgramsConfigReading.h"

#include <cstdio>

namespace tapfill {

config::ProgramsConfig ProgramsConfigReading::read(std::string& tell)
{
    tell.clear();
    std::vector<config::ConfigProblem> problems;
    config::ProgramsConfig config = config::loadProgramsConfig(path_, problems);
    if (problems.empty()) {
        lastMessage_.clear();
        return config;
    }
    const std::string message = config::describeProblems(path_, problems);
    if (message == lastMessage_)
        return config; // told already; a save that fixed nothing says nothing new
    lastMessage_ = message;
    std::fprintf(stderr, "tapfill: %s\n", message.c_str());
    tell = message;
    return config;
}

} // namespace tapfill
