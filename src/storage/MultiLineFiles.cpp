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
    // The last two bytes are the CR LF the writer adds; they are dropped
    // whatever they are, as the Windows versions did.
    const FileBody body = splitByteOrderMark(file);
    if (body.bytes.size() >= 2)
        text = decodeText(body.bytes.substr(0, body.bytes.size() - 2), body.encoding);
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
