#include "storage/DataFileFormats.h"
#include "storage/DataFileIo.h"
#include "storage/TextEncoding.h"

namespace tapfill::storage {

std::string multiLineFileName(int k)
{
    return "MLT" + std::to_string(k + 1) + ".DAT";
}

void parseMultiLineFile(std::string_view file, std::string& text)
{
    // The writer ends the text with CR LF; a file made by hand may end with
    // a lone CR or LF instead, or with nothing. Only a line end is dropped:
    // any other last character belongs to the text.
    const FileBody body = splitByteOrderMark(file);
    std::string_view bytes = body.bytes;
    if (bytes.ends_with("\r\n"))
        bytes.remove_suffix(2);
    else if (bytes.ends_with('\r') || bytes.ends_with('\n'))
        bytes.remove_suffix(1);
    text = decodeText(bytes, body.encoding);
}

std::string formatMultiLineFile(std::string_view text)
{
    return encodeFileText(std::string(text) + "\r\n");
}

void readMultiLineFiles(const std::filesystem::path& dir, std::array<std::string, 12>& fields)
{
    for (int k = 0; k < static_cast<int>(fields.size()); ++k) {
        if (const auto file = readDataFile(dir / multiLineFileName(k)))
            parseMultiLineFile(*file, fields[k]);
    }
}

std::optional<WriteFailure> writeMultiLineFile(const std::filesystem::path& dir, int k, const std::string& text)
{
    return writeDataFile(dir, multiLineFileName(k), formatMultiLineFile(text));
}

} // namespace tapfill::storage
