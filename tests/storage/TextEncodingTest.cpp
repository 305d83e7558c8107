#include "storage/DataFileFormats.h"
#include "storage/TextEncoding.h"

#include <gtest/gtest.h>

using namespace tapfill::storage;

namespace {

std::string parsed(const std::string& file)
{
    std::string text;
    parseMultiLineFile(file, text);
    return text;
}

} // namespace

TEST(TextEncoding, Cp1252IsDecodedRightAndEveryByteSurvivesReadingAndWriting)
{
    std::string allBytes;
    for (int b = 0; b < 256; ++b)
        allBytes += static_cast<char>(b);
    EXPECT_EQ(formatMultiLineFile(parsed(allBytes + "\r\n")), allBytes + "\r\n");
    EXPECT_EQ(parsed("caf\xE9 \x80 \x9C \x9F \x81\x8D\x8F\x90\x9D\r\n"), "café € œ Ÿ \u0081\u008D\u008F\u0090\u009D");
}

TEST(TextEncoding, Cp1252WhenEverythingFitsOtherwiseTheWholeFileIsUtf8WithAMark)
{
    EXPECT_EQ(formatMultiLineFile("Grüße €1 „x“ — ™"), "Gr\xFC\xDF" "e \x80" "1 \x84x\x93 \x97 \x99\r\n");
    EXPECT_EQ(formatMultiLineFile(""), "\r\n");
    const std::string text = "Grüße €1 ☃ 中";
    EXPECT_EQ(formatMultiLineFile(text), "\xEF\xBB\xBF" + text + "\r\n");
    EXPECT_EQ(parsed(formatMultiLineFile(text)), text);
    // U+0080 has no byte in 1252 (0x80 is the euro sign); it must not become "?".
    EXPECT_EQ(formatMultiLineFile("a\u0080"), "\xEF\xBB\xBF" "a\u0080\r\n");
}

TEST(TextEncoding, TextBeginningLikeAMarkIsNotMistakenForOne)
{
    // "ï»¿" fits 1252 but its bytes are those of the mark.
    const std::string text = "ï»¿abc";
    EXPECT_EQ(parsed(formatMultiLineFile(text)), text);
    std::array<std::string, 10> personal{text};
    std::array<std::string, 11> personalBack{};
    parsePersonalFile(formatPersonalFile(personal), personalBack);
    EXPECT_EQ(personalBack[0], text);
}

TEST(TextEncoding, BadUtf8BecomesReplacementCharactersOnReadingAndWriting)
{
    EXPECT_EQ(parsed("\xEF\xBB\xBF" "a\xC3(\xFF\xED\xA0\x80\xF0\x9F\r\n"),
              "a\uFFFD(\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(formatMultiLineFile("ok\xFF" "é"), "\xEF\xBB\xBF" "ok\uFFFDé\r\n");
}
