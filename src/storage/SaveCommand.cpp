#include "storage/DataFiles.h"

namespace tapfill::storage {

std::vector<WriteFailure> saveMainWindowData(const std::filesystem::path& dir, const OneLineFile& oneLine,
                                             const std::array<std::string, 13>& descriptions,
                                             const std::array<std::string, 12>& multiLine)
{
    // Each file stands alone: one that fails keeps its old content and the
    // rest are still written.
    std::vector<WriteFailure> failures;
    const auto note = [&](std::optional<WriteFailure> failure) {
        if (failure)
            failures.push_back(std::move(*failure));
    };
    note(writeOneLineFile(dir, oneLine));
    note(writeCaptionFile(dir, descriptions));
    for (int k = 0; k < static_cast<int>(multiLine.size()); ++k)
        note(writeMultiLineFile(dir, k, multiLine[k]));
    return failures;
}

} // namespace tapfill::storage
