#include "storage/DataFileFormats.h"
#include "storage/DataFileIo.h"
#include "storage/TextLines.h"

#include <algorithm>

namespace tapfill::storage {

void parsePersonalFile(std::string_view file, std::array<std::string, 11>& personal)
{
    const std::vector<std::string> lines = readTextLines(file, PersonalFileLines);
    std::copy(lines.begin(), lines.end(), personal.begin());
}

std::string formatPersonalFile(const std::array<std::string, 10>& texts)
{
    return writeTextLines(texts);
}

void readPersonalFile(const std::filesystem::path& dir, std::array<std::string, 11>& personal)
{
    if (const auto file = readDataFile(dir / PersonalFileName))
        parsePersonalFile(*file, personal);
}

std::optional<WriteFailure> writePersonalFile(const std::filesystem::path& dir,
                                              const std::array<std::string, 10>& texts)
{
    return writeDataFile(dir, PersonalFileName, formatPersonalFile(texts));
}

} // namespace tapfill::storage
