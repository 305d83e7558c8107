#pragma once
// Replacing a file so that a crash, a kill or a full disk at any moment
// leaves either the whole old file or the whole new one: the bytes go to a
// temporary file in the same folder, reach the disk, and are then renamed
// over the old file. A replaced file keeps its permission bits and, where
// allowed, its owner; a new file is readable by its owner only (0600).

#include <filesystem>
#include <string>
#include <string_view>

namespace tapfill::storage {

enum class TempFile {
    Unnamed, ///< an unnamed file that vanishes if we die; named ones where the file system lacks it
    Named,   ///< always a named temporary (for file systems without unnamed ones, and tests)
};

/// Temporaries are hidden files named "." + file name + ".tmp-" + random;
/// no reader looks at them, and the next good write of that file removes any
/// that a killed process left behind.
bool isTemporaryFor(std::string_view entryName, std::string_view fileName);
/// A fresh random temporary name for `fileName`.
std::string temporaryNameFor(const std::string& fileName);

/// 0 on success, otherwise the errno of the step that failed; the old file is
/// then untouched and no temporary is left. Windows has neither unnamed
/// files nor owners and modes to keep: there the temporary is always named,
/// and a replaced file keeps its read-only attribute only.
int replaceFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                          TempFile kind = TempFile::Unnamed);

} // namespace tapfill::storage
