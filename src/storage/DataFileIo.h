#pragma once
// Reading and writing one data file whole, with the limits that keep a
// damaged or hostile file from hanging or flooding the program.

#include "storage/DataFiles.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tapfill::storage {

/// No data file is read or written beyond this size. Far more than anything
/// typed by hand; a larger file is left alone (its values stay unchanged),
/// and a text that would make a file larger is refused when saving, so that
/// what is saved can always be read back.
inline constexpr std::size_t MaxDataFileBytes = 16u << 20;

/// The bytes of a regular file of at most MaxDataFileBytes; nothing when the
/// file is missing, unreadable, too large or not a regular file (a FIFO or a
/// device would block or never end).
std::optional<std::string> readDataFile(const std::filesystem::path& file);

/// Replaces `dir`/`name` with `bytes` whole; on failure the old file is
/// untouched and the reason is told in plain words.
std::optional<WriteFailure> writeDataFile(const std::filesystem::path& dir, const std::string& name,
                                          std::string_view bytes);

} // namespace tapfill::storage
