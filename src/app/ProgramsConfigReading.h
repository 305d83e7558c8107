#pragma once
// Reading programs.conf again and again, as the watchers of both front ends
// do: what in the file is not understood is to be told to the user once,
// not again at every save that fixed nothing. Plain C++.

#include "config/ProgramsConfig.h"

#include <filesystem>
#include <string>

namespace tapfill {

class ProgramsConfigReading {
public:
    explicit ProgramsConfigReading(std::filesystem::path path) : path_(std::move(path)) {}

    /// Reads the file. `tell` gets one message naming every problem, when
    /// there are problems not told before; else it is left empty.
    config::ProgramsConfig read(std::string& tell);
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    std::string lastMessage_;
};

} // namespace tapfill
