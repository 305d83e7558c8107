// SAVE followed by a start-up read gives back the same state.
#include "StorageTestSupport.h"
#include "storage/DataFiles.h"

#include <gtest/gtest.h>

using namespace tapfill::storage;
using namespace tapfill::storage::test;

namespace {

SaveSet saveAndReload(const std::filesystem::path& dir, const SaveSet& saved)
{
    EXPECT_TRUE(saved.save(dir).empty());
    SaveSet loaded("");
    readOneLineFile(dir, loaded.oneLine);
    readMultiLineFiles(dir, loaded.multiLine);
    readCaptionFile(dir, loaded.descriptions);
    return loaded;
}

} // namespace

TEST(SaveRoundTrip, RestoresPositionTextsAndCaptions)
{
    TempDir dir;
    SaveSet saved("");
    saved.oneLine = {-150, 7200, {"one", "", "Grüße €1 ☃ 中", "tab\there", "x"}};
    saved.multiLine = {"", "inner\r\nbreak", "trailing\r\n", "\r\n\r\n", "lf\nonly", "Grüße €1 ☃ 中\r\n2nd"};
    for (int k = 0; k < 12; ++k)
        saved.descriptions[k] = k == 3 ? "" : "desc " + std::to_string(k);
    saved.descriptions[12] = "never written";

    const SaveSet loaded = saveAndReload(dir.path(), saved);
    EXPECT_EQ(loaded.oneLine.left, -150);
    EXPECT_EQ(loaded.oneLine.top, 7200);
    EXPECT_EQ(loaded.oneLine.fields, saved.oneLine.fields);
    EXPECT_EQ(loaded.multiLine, saved.multiLine);
    EXPECT_TRUE(std::equal(saved.descriptions.begin(), saved.descriptions.begin() + 12, loaded.descriptions.begin()));
    EXPECT_EQ(loaded.descriptions[12], "");

    std::set<std::string> expected{"F3.dat", "CAPTION.dat"};
    for (int k = 0; k < 12; ++k)
        expected.insert(multiLineFileName(k));
    EXPECT_EQ(entries(dir.path()), expected); // and no temporary left behind
}
