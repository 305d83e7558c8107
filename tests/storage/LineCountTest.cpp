// Every data file of lines keeps its line count, whatever the texts hold: a
// CR LF or lone CR inside a text would end its line early and shift every
// later record, so the writers turn each into one blank.

#include "storage/DataFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tapfill::storage {
namespace {

using tapfill::test::TempDir;

TEST(LineCount, TextsWithLineBreaksStayOnTheirLinesInEveryFileOfLines)
{
    TempDir dir;
    OneLineFile oneLine;
    oneLine.fields = {"alpha", "first\r\nsecond", "third\rfourth", "lone\nfeed", "gamma"};
    ASSERT_FALSE(writeOneLineFile(dir.path(), oneLine));
    OneLineFile back;
    readOneLineFile(dir.path(), back);
    EXPECT_EQ(back.fields[1], "first second");
    EXPECT_EQ(back.fields[2], "third fourth");
    EXPECT_EQ(back.fields[3], "lone\nfeed") << "a lone LF belongs to its line, as in older files";
    EXPECT_EQ(back.fields[4], "gamma");

    std::array<std::string, 10> personal{"Jane", "Doe", "ACME\r\nInc", "\r"};
    ASSERT_FALSE(writePersonalFile(dir.path(), personal));
    EXPECT_EQ(dir.read("TF.dat"), "Jane\r\nDoe\r\nACME Inc\r\n \r\n\r\n\r\n\r\n\r\n\r\n\r\n");

    std::array<std::string, 13> captions{"Letter\r\n"};
    ASSERT_FALSE(writeCaptionFile(dir.path(), captions));
    std::array<std::string, 13> captionsBack{};
    readCaptionFile(dir.path(), captionsBack);
    EXPECT_EQ(captionsBack[0], "Letter ");
    EXPECT_EQ(dir.read("CAPTION.dat").size(), std::string("Letter ").size() + 12 * 2);
}

} // namespace
} // namespace tapfill::storage
