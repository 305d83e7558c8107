#pragma once
// The data files as bytes: what a file's content sets, and what a file holding
// given values contains. Free of any disk access, so that the readers can be
// fuzzed and the layouts tested without files.

#include "storage/DataFiles.h"

#include <array>
#include <string>
#include <string_view>

namespace tapfill::storage {

inline constexpr std::size_t OneLineFileLines = 14;
inline constexpr std::size_t PersonalFileLines = 10;
inline constexpr std::size_t CaptionFileMaxLines = 13;
inline constexpr std::size_t CaptionFileWrittenLines = 12;

// Each parser sets only the values whose lines (or bytes) the file holds.
void parseOneLineFile(std::string_view file, OneLineFile& data);
void parsePersonalFile(std::string_view file, std::array<std::string, 11>& personal);
void parseMultiLineFile(std::string_view file, std::string& text);
void parseCaptionFile(std::string_view file, std::array<std::string, 13>& descriptions);

std::string formatOneLineFile(const OneLineFile& data);
std::string formatPersonalFile(const std::array<std::string, 10>& texts);
std::string formatMultiLineFile(std::string_view text);
std::string formatCaptionFile(const std::array<std::string, 13>& descriptions);

} // namespace tapfill::storage
