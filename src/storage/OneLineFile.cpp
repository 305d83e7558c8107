#include "storage/DataFileFormats.h"
#include "storage/DataFileIo.h"
#include "storage/NumberText.h"
#include "storage/TextLines.h"

#include <cmath>
#include <limits>

namespace tapfill::storage {
namespace {

void readPosition(const std::string& line, double& value)
{
    // The Windows versions kept positions as singles: a number that does
    // not fit one failed and left the position as it was.
    const double number = readNumber(line);
    if (std::fabs(number) <= std::numeric_limits<float>::max())
        value = number;
}

} // namespace

void parseOneLineFile(std::string_view file, OneLineFile& data)
{
    const std::vector<std::string> lines = readTextLines(file, OneLineFileLines);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == 0)
            readPosition(lines[i], data.left);
        else if (i == 1)
            readPosition(lines[i], data.top);
        else
            data.fields[i - 2] = lines[i];
    }
}

std::string formatOneLineFile(const OneLineFile& data)
{
    std::vector<std::string> lines{writeNumber(data.left), writeNumber(data.top)};
    lines.insert(lines.end(), data.fields.begin(), data.fields.end());
    return writeTextLines(lines);
}

void readOneLineFile(const std::filesystem::path& dir, OneLineFile& data)
{
    if (const auto file = readDataFile(dir / OneLineFileName))
        parseOneLineFile(*file, data);
}

std::optional<WriteFailure> writeOneLineFile(const std::filesystem::path& dir, const OneLineFile& data)
{
    return writeDataFile(dir, OneLineFileName, formatOneLineFile(data));
}

} // namespace tapfill::storage
