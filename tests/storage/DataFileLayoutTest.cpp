// What each data file holds byte for byte, and how partial or odd files are
// read. That SAVE and a start-up read give back the same state, and old code
// page 1252 files the same bytes, is met by the e2e tests on both systems,
// the storage fuzzer and TextEncodingTest (every byte through the codec).
#include "StorageTestSupport.h"

#include <gtest/gtest.h>

using namespace tapfill::storage;
using tapfill::storage::test::TempDir;

TEST(OneLineFileLayout, PositionLinesThenTwelveFieldsAndShortFilesLeaveTheRestAlone)
{
    TempDir dir;
    OneLineFile data{1440, -150, {}};
    std::string expected = " 1440 \r\n-150 \r\n";
    for (int i = 0; i < 12; ++i) {
        data.fields[i] = "field " + std::to_string(i);
        expected += data.fields[i] + "\r\n";
    }
    readOneLineFile(dir.path(), data); // no file at all
    EXPECT_EQ(data.left, 1440);
    ASSERT_FALSE(writeOneLineFile(dir.path(), data));
    EXPECT_EQ(dir.read("F3.dat"), expected);

    dir.write("F3.dat", " 15 \r\n 30 \r\na\r\nb\r\nc");
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
    dir.write("F3.dat", file + "line 15\r\n");
    OneLineFile data;
    readOneLineFile(dir.path(), data);
    EXPECT_EQ(data.left, -7);
    EXPECT_EQ(data.top, 8);
    EXPECT_EQ(data.fields[0], "ab\ncd");
    EXPECT_EQ(data.fields[1], "EF\n");
    EXPECT_EQ(data.fields[11], "f11");

    // A position beyond a single keeps the old value; no number reads as 0.
    dir.write("F3.dat", "1e39\r\nabc\r\n");
    data.left = 100;
    readOneLineFile(dir.path(), data);
    EXPECT_EQ(data.left, 100);
    EXPECT_EQ(data.top, 0);
}

TEST(PersonalFileLayout, TenLinesIntoSlotsZeroToNine)
{
    TempDir dir;
    std::array<std::string, 10> texts{"Ann", "Lee", "", "1 Road", "", "Zoë ☃", "ST", "12345", "a@b.c", "555"};
    ASSERT_FALSE(writePersonalFile(dir.path(), texts));
    const std::string file = "\xEF\xBB\xBF" "Ann\r\nLee\r\n\r\n1 Road\r\n\r\nZoë ☃\r\nST\r\n12345\r\na@b.c\r\n555\r\n";
    EXPECT_EQ(dir.read("TF.dat"), file);

    dir.write("TF.dat", file + "eleventh\r\n");
    std::array<std::string, 11> personal;
    personal.fill("old");
    readPersonalFile(dir.path(), personal);
    EXPECT_TRUE(std::equal(texts.begin(), texts.end(), personal.begin()));
    EXPECT_EQ(personal[10], "old");
}

TEST(MultiLineFileLayout, TextFollowedByCrLfAndOnlyAFinalLineEndDropped)
{
    TempDir dir;
    ASSERT_FALSE(writeMultiLineFile(dir.path(), 0, "a\r\nb\r\n"));
    ASSERT_FALSE(writeMultiLineFile(dir.path(), 11, ""));
    EXPECT_EQ(dir.read("MLT1.DAT"), "a\r\nb\r\n\r\n");
    EXPECT_EQ(dir.read("MLT12.DAT"), "\r\n");

    // Only a final line end is dropped (CR LF, or a lone CR or LF left by an
    // editor); a file that lost it keeps every character. NUL and lone line
    // ends inside stay; MLT9.DAT is missing and leaves its field alone.
    const std::pair<std::string, std::string> files[] = {
        {"", ""},          {"x", "x"},     {"abc", "abc"},     {"abc\r", "abc"},
        {"abc\n", "abc"},  {"\r\n", ""},   {"\xEF\xBB\xBF" "x", "x"},
        {std::string("a\0b\rc\n\r\n", 8), std::string("a\0b\rc\n", 6)}, {"", "keep"}};
    std::array<std::string, 12> fields;
    fields.fill("keep");
    for (int k = 0; k < 8; ++k)
        dir.write(multiLineFileName(k), files[k].first);
    readMultiLineFiles(dir.path(), fields);
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(fields[k], files[k].second) << multiLineFileName(k);
}

TEST(CaptionFileLayout, ReadsAtMostThirteenLines)
{
    TempDir dir;
    std::string fourteen;
    for (int k = 0; k < 14; ++k)
        fourteen += "c" + std::to_string(k) + "\r\n";
    std::array<std::string, 13> descriptions;
    dir.write("CAPTION.dat", fourteen);
    readCaptionFile(dir.path(), descriptions);
    EXPECT_EQ(descriptions[0], "c0");
    EXPECT_EQ(descriptions[12], "c12");

    descriptions.fill("old");
    dir.write("CAPTION.dat", "one\r\n\r\nthree");
    readCaptionFile(dir.path(), descriptions);
    EXPECT_EQ(descriptions[1], "");
    EXPECT_EQ(descriptions[2], "three");
    EXPECT_EQ(descriptions[3], "old");
}
