#include "storage/TextEncoding.h"

#include "storage/Codepage1252.h"
#include "text/Utf8.h"

#include <algorithm>

namespace tapfill::storage {
namespace {

using text::appendUtf8;
using text::nextCodePoint;

/// Plain ASCII reads and writes the same in every encoding here.
bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

/// Appends the text in code page 1252 to `out`; false when a character does not fit.
bool encodeCp1252(std::string_view text, std::string& out)
{
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = unicodeToCp1252(nextCodePoint(text, pos));
        if (!byte)
            return false;
        out += static_cast<char>(*byte);
    }
    return true;
}

std::string utf8WithMark(std::string_view text)
{
    std::string out(ByteOrderMark);
    out.reserve(ByteOrderMark.size() + text.size());
    for (std::size_t pos = 0; pos < text.size();)
        appendUtf8(out, nextCodePoint(text, pos)); // rewrites bad bytes as U+FFFD
    return out;
}

} // namespace

FileBody splitByteOrderMark(std::string_view file)
{
    if (file.starts_with(ByteOrderMark))
        return {FileEncoding::Utf8, file.substr(ByteOrderMark.size())};
    return {FileEncoding::Cp1252, file};
}

std::string decodeText(std::string_view bytes, FileEncoding encoding)
{
    if (isAscii(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    if (encoding == FileEncoding::Utf8) {
        for (std::size_t pos = 0; pos < bytes.size();)
            appendUtf8(out, nextCodePoint(bytes, pos));
    } else {
        for (const char c : bytes)
            appendUtf8(out, cp1252ToUnicode(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string encodeFileText(std::string_view text)
{
    // A 1252 file that happened to begin with the bytes of the mark ("ï»¿")
    // would be read back as UTF-8, so such a text goes to UTF-8 as well.
    if (isAscii(text))
        return std::string(text);
    std::string cp1252;
    if (encodeCp1252(text, cp1252) && !cp1252.starts_with(ByteOrderMark))
        return cp1252;
    return utf8WithMark(text);
}

} // namespace tapfill::storage
