#pragma once
// Files made of lines, as the Windows versions read and wrote them: CR LF or
// a lone CR ends a line, a lone LF is part of the line, and bytes after the
// last line end still make a (last) line. Writers end every line with CR LF.

#include "storage/TextEncoding.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tapfill::storage {

/// The first `maxLines` lines of `bytes`, without their line ends. An empty
/// input has no lines.
std::vector<std::string_view> splitLines(std::string_view bytes, std::size_t maxLines);

/// The first `maxLines` lines of a whole file, decoded to UTF-8 (a file with
/// a byte-order mark as UTF-8, any other as code page 1252).
std::vector<std::string> readTextLines(std::string_view file, std::size_t maxLines);

/// `text` as a line of such a file: a CR LF or a lone CR inside it would end
/// the line early and shift every later line, so each becomes one blank. A
/// lone LF stays, as readers keep it.
std::string asOneLine(std::string_view text);

/// The bytes of a file holding `lines`, each ended by CR LF. Every line is
/// written as one line, so the file has exactly as many lines as `lines`.
template <typename Lines> std::string writeTextLines(const Lines& lines)
{
    std::string text;
    for (const auto& line : lines) {
        text += asOneLine(line);
        text += "\r\n";
    }
    return encodeFileText(text);
}

} // namespace tapfill::storage
