#include "storage/DataFileFormats.h"
#include "storage/DataFileIo.h"
#include "storage/TextLines.h"

#include <span>

namespace tapfill::storage {

void parseCaptionFile(std::string_view file, std::array<std::string, 13>& descriptions)
{
    // Slot 12 takes a thirteenth line if there is one; nothing shows it.
    const std::vector<std::string> lines = readTextLines(file, CaptionFileMaxLines);
    std::copy(lines.begin(), lines.end(), descriptions.begin());
}

std::string formatCaptionFile(const std::array<std::string, 13>& descriptions)
{
    return writeTextLines(std::span(descriptions).first<CaptionFileWrittenLines>());
}

void readCaptionFile(const std::filesystem::path& dir, std::array<std::string, 13>& descriptions)
{
    if (const auto file = readDataFile(dir / CaptionFileName))
        parseCaptionFile(*file, descriptions);
}

std::optional<WriteFailure> writeCaptionFile(const std::filesystem::path& dir,
                                             const std::array<std::string, 13>& descriptions)
{
    return writeDataFile(dir, CaptionFileName, formatCaptionFile(descriptions));
}

} // namespace tapfill::storage
