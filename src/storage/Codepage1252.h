#pragma once
// Windows code page 1252, the single-byte code page of the files written by
// the Windows versions. Every byte maps to its own code point, the five bytes
// the code page leaves undefined (0x81 0x8D 0x8F 0x90 0x9D) to the C1 control
// of the same number, so any old file survives a read and a write unchanged.

#include <optional>

namespace tapfill::storage {

char32_t cp1252ToUnicode(unsigned char byte);

/// The byte for `codePoint`, or nothing when the code page lacks it.
std::optional<unsigned char> unicodeToCp1252(char32_t codePoint);

} // namespace tapfill::storage
