#include "storage/TextLines.h"

#include "storage/TextEncoding.h"

namespace tapfill::storage {

std::vector<std::string_view> splitLines(std::string_view bytes, std::size_t maxLines)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size() && lines.size() < maxLines) {
        const std::size_t cr = bytes.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, cr - start));
        start = cr + 1;
        if (start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return lines;
}

std::vector<std::string> readTextLines(std::string_view file, std::size_t maxLines)
{
    const FileBody body = splitByteOrderMark(file);
    std::vector<std::string> lines;
    for (const std::string_view line : splitLines(body.bytes, maxLines))
        lines.push_back(decodeText(line, body.encoding));
    return lines;
}

std::string asOneLine(std::string_view text)
{
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            line += text[i];
            continue;
        }
        line += ' ';
        if (i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    return line;
}

} // namespace tapfill::storage
