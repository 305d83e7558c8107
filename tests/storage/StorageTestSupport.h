#pragma once
// Sample data for SAVE, in a folder of its own per test.

#include "storage/DataFiles.h"
#include "support/TempDir.h"

namespace tapfill::storage::test {

using tapfill::test::TempDir;

/// Everything SAVE writes, every value told apart by `tag`; `padding` makes
/// the multi-line texts large.
struct SaveSet {
    OneLineFile oneLine;
    std::array<std::string, 13> descriptions{};
    std::array<std::string, 12> multiLine{};

    explicit SaveSet(const std::string& tag, std::size_t padding = 0)
    {
        oneLine.left = static_cast<double>(tag.size());
        for (int i = 0; i < 12; ++i) {
            oneLine.fields[i] = tag + " line " + std::to_string(i);
            descriptions[i] = tag + " caption " + std::to_string(i);
            multiLine[i] = tag + std::string(padding, '.') + " text\r\n" + std::to_string(i);
        }
    }
    std::vector<WriteFailure> save(const std::filesystem::path& dir) const
    {
        return saveMainWindowData(dir, oneLine, descriptions, multiLine);
    }
    /// What start-up reads back from `dir`.
    static SaveSet load(const std::filesystem::path& dir)
    {
        SaveSet set("");
        readOneLineFile(dir, set.oneLine);
        readMultiLineFiles(dir, set.multiLine);
        readCaptionFile(dir, set.descriptions);
        return set;
    }
};

} // namespace tapfill::storage::test
