// What each data file holds byte for byte, and how partial, odd or foreign
// files are read.
#include "StorageTestSupport.h"
#include "storage/DataFiles.h"

#include <gtest/gtest.h>

using namespace tapfill::storage;
using tapfill::storage::test::readBytes;
using tapfill::storage::test::TempDir;
using tapfill::storage::test::writeBytes;

namespace {

OneLineFile sampleOneLine()
{
    OneLineFile data{1440, -150, {}};
    for (int i = 0; i < 12; ++i)
        data.fields[i] = "field " + std::to_string(i);
    return data;
}

std::array<std::string, 12> filled(const std::string& value)
{
    std::array<std::string, 12> texts;
    texts.fill(value);
    return texts;
}

} // namespace

TEST(OneLineFileLayout, PositionLinesThenTwelveFieldsEachEndedByCrLf)
{
    TempDir dir;
    ASSERT_FALSE(writeOneLineFile(dir.path(), sampleOneLine()));
    std::string expected = " 1440 \r\n-150 \r\n";
    for (int i = 0; i < 12; ++i)
        expected += "field " + std::to_string(i) + "\r\n";
    EXPECT_EQ(readBytes(dir.path() / "F3.dat"), expected);
}

TEST(OneLineFileLayout, MissingLinesAndMissingFileLeaveValuesAlone)
{
    TempDir dir;
    OneLineFile data = sampleOneLine();
    readOneLineFile(dir.path(), data); // no file at all
    EXPECT_EQ(data.left, 1440);
    EXPECT_EQ(data.fields[11], "field 11");

    writeBytes(dir.path() / "F3.dat", " 15 \r\n 30 \r\na\r\nb\r\nc");
    readOneLineFile(dir.path(), data);
    EXPECT_EQ(data.left, 15);
    EXPECT_EQ(data.top, 30);
    EXPECT_EQ(data.fields[0], "a");
    EXPECT_EQ(data.fields[2], "c"); // a last line without its line end still counts
    EXPECT_EQ(data.fields[3], "field 3");
}

TEST(OneLineFileLayout, LineRules)
{
    TempDir dir;
    // Lone CR ends a line, lone LF belongs to it, lines after 14 are ignored.
    std::string file = "-7\r8x\r\nab\ncd\rEF\n\r";
    for (int i = 2; i < 12; ++i)
        file += "f" + std::to_string(i) + "\r\n";
    file += "line 15\r\n";
    writeBytes(dir.path() / "F3.dat", file);
    OneLineFile data;
    readOneLineFile(dir.path(), data);
    EXPECT_EQ(data.left, -7);
    EXPECT_EQ(data.top, 8);
    EXPECT_EQ(data.fields[0], "ab\ncd");
    EXPECT_EQ(data.fields[1], "EF\n");
    EXPECT_EQ(data.fields[11], "f11");
}

TEST(OneLineFileLayout, PositionBeyondASingleKeepsTheOldValue)
{
    TempDir dir;
    writeBytes(dir.path() / "F3.dat", "1e39\r\nabc\r\n");
    OneLineFile data{100, 200, {}};
    readOneLineFile(dir.path(), data);
    EXPECT_EQ(data.left, 100);
    EXPECT_EQ(data.top, 0); // no number at all reads as 0
}

TEST(PersonalFileLayout, TenLinesIntoSlotsZeroToNine)
{
    TempDir dir;
    std::array<std::string, 10> texts{"Ann", "Lee", "", "1 Road", "", "Zoë ☃", "ST", "12345", "a@b.c", "555"};
    ASSERT_FALSE(writePersonalFile(dir.path(), texts));
    EXPECT_EQ(readBytes(dir.path() / "TF.dat"), "\xEF\xBB\xBF" "Ann\r\nLee\r\n\r\n1 Road\r\n\r\nZoë ☃\r\nST\r\n12345\r\na@b.c\r\n555\r\n");

    writeBytes(dir.path() / "TF.dat", readBytes(dir.path() / "TF.dat") + "eleventh\r\n");
    std::array<std::string, 11> personal;
    personal.fill("old");
    readPersonalFile(dir.path(), personal);
    EXPECT_TRUE(std::equal(texts.begin(), texts.end(), personal.begin()));
    EXPECT_EQ(personal[10], "old");

    writeBytes(dir.path() / "TF.dat", "only\r\n");
    readPersonalFile(dir.path(), personal);
    EXPECT_EQ(personal[0], "only");
    EXPECT_EQ(personal[1], "Lee");
}

TEST(MultiLineFileLayout, TextFollowedByCrLf)
{
    TempDir dir;
    ASSERT_FALSE(writeMultiLineFile(dir.path(), 0, "a\r\nb\r\n"));
    ASSERT_FALSE(writeMultiLineFile(dir.path(), 11, ""));
    EXPECT_EQ(readBytes(dir.path() / "MLT1.DAT"), "a\r\nb\r\n\r\n");
    EXPECT_EQ(readBytes(dir.path() / "MLT12.DAT"), "\r\n");
    EXPECT_EQ(multiLineFileName(9), "MLT10.DAT");
}

TEST(MultiLineFileLayout, LastTwoBytesDroppedWhateverTheyAre)
{
    TempDir dir;
    writeBytes(dir.path() / "MLT1.DAT", "");
    writeBytes(dir.path() / "MLT2.DAT", "x");
    writeBytes(dir.path() / "MLT3.DAT", "abcd");
    writeBytes(dir.path() / "MLT4.DAT", "\r\n");
    writeBytes(dir.path() / "MLT5.DAT", "\xEF\xBB\xBF" "x");
    writeBytes(dir.path() / "MLT6.DAT", std::string("a\0b\rc\n\r\n", 8));
    auto fields = filled("keep");
    readMultiLineFiles(dir.path(), fields);
    EXPECT_EQ(fields[0], "keep"); // 0 bytes
    EXPECT_EQ(fields[1], "keep"); // 1 byte
    EXPECT_EQ(fields[2], "ab");   // edited by hand, lost its CR LF
    EXPECT_EQ(fields[3], "");
    EXPECT_EQ(fields[4], "keep"); // a mark and 1 byte
    EXPECT_EQ(fields[5], std::string("a\0b\rc\n", 6));
    EXPECT_EQ(fields[6], "keep"); // missing
}

TEST(CaptionFileLayout, WritesTwelveLinesNeverSlotTwelve)
{
    TempDir dir;
    std::array<std::string, 13> descriptions;
    for (int k = 0; k < 13; ++k)
        descriptions[k] = "d" + std::to_string(k);
    ASSERT_FALSE(writeCaptionFile(dir.path(), descriptions));
    std::string expected;
    for (int k = 0; k < 12; ++k)
        expected += "d" + std::to_string(k) + "\r\n";
    EXPECT_EQ(readBytes(dir.path() / "CAPTION.dat"), expected);
}

TEST(CaptionFileLayout, ReadsAtMostThirteenLines)
{
    TempDir dir;
    std::string thirteen, fourteen;
    for (int k = 0; k < 13; ++k)
        thirteen += "c" + std::to_string(k) + "\r\n";
    fourteen = thirteen + "c13\r\n";

    std::array<std::string, 13> descriptions;
    writeBytes(dir.path() / "CAPTION.dat", thirteen);
    readCaptionFile(dir.path(), descriptions);
    EXPECT_EQ(descriptions[12], "c12");

    descriptions.fill("");
    writeBytes(dir.path() / "CAPTION.dat", fourteen);
    readCaptionFile(dir.path(), descriptions);
    EXPECT_EQ(descriptions[0], "c0");
    EXPECT_EQ(descriptions[12], "c12");

    descriptions.fill("old");
    writeBytes(dir.path() / "CAPTION.dat", "one\r\n\r\nthree");
    readCaptionFile(dir.path(), descriptions);
    EXPECT_EQ(descriptions[0], "one");
    EXPECT_EQ(descriptions[1], "");
    EXPECT_EQ(descriptions[2], "three");
    EXPECT_EQ(descriptions[3], "old");
}

TEST(OldFiles, Cp1252FilesAreReadAndRewrittenByteIdentical)
{
    TempDir dir;
    std::string f3 = " 2880 \r\n 600 \r\ncaf\xE9\r\n\x80 5\r\n";
    for (int i = 2; i < 12; ++i)
        f3 += "\xC4\x81\x9D" + std::to_string(i) + "\r\n";
    const std::string mlt = "Stra\xDF" "e 1\r\n\x93quoted\x94\r\n\r\n";
    std::string captions;
    for (int k = 0; k < 12; ++k)
        captions += "R\xE9sum\xE9 " + std::to_string(k) + "\r\n";
    writeBytes(dir.path() / "F3.dat", f3);
    writeBytes(dir.path() / "MLT7.DAT", mlt);
    writeBytes(dir.path() / "CAPTION.dat", captions);

    OneLineFile oneLine;
    std::array<std::string, 12> multiLine{};
    std::array<std::string, 13> descriptions{};
    readOneLineFile(dir.path(), oneLine);
    readMultiLineFiles(dir.path(), multiLine);
    readCaptionFile(dir.path(), descriptions);
    EXPECT_EQ(oneLine.fields[0], "café");
    EXPECT_EQ(oneLine.fields[1], "€ 5");
    EXPECT_EQ(multiLine[6], "Straße 1\r\n“quoted”\r\n");

    EXPECT_TRUE(saveMainWindowData(dir.path(), oneLine, descriptions, multiLine).empty());
    EXPECT_EQ(readBytes(dir.path() / "F3.dat"), f3);
    EXPECT_EQ(readBytes(dir.path() / "MLT7.DAT"), mlt);
    EXPECT_EQ(readBytes(dir.path() / "CAPTION.dat"), captions);
}
