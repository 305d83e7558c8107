#pragma once
// How the texts of a data file are stored. A file whose every character fits
// code page 1252 is written in it, byte for byte what the Windows versions
// wrote; any other file is written whole as UTF-8 behind a byte-order mark.
// In memory every text is UTF-8.

#include <string>
#include <string_view>

namespace tapfill::storage {

inline constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

enum class FileEncoding { Cp1252, Utf8 };

struct FileBody {
    FileEncoding encoding;
    std::string_view bytes; ///< the file without its byte-order mark
};

/// A file that starts with the byte-order mark is UTF-8; any other is 1252.
FileBody splitByteOrderMark(std::string_view file);

/// Bytes of a file body as UTF-8 text; never fails (bad UTF-8 gives U+FFFD).
std::string decodeText(std::string_view bytes, FileEncoding encoding);

/// The bytes of a whole file holding `text`. Text that is not valid UTF-8 is
/// stored with U+FFFD in place of each bad byte.
std::string encodeFileText(std::string_view text);

} // namespace tapfill::storage
