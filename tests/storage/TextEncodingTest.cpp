#include "storage/DataFileFormats.h"
#include "storage/TextEncoding.h"

#include <gtest/gtest.h>

using namespace tapfill::storage;

namespace {

std::string allBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

} // namespace

TEST(TextEncoding, EveryCp1252ByteSurvivesReadingAndWriting)
{
    const std::string file = allBytes() + "\r\n";
    std::string text;
    parseMultiLineFile(file, text);
    EXPECT_EQ(formatMultiLineFile(text), file);
}

TEST(TextEncoding, Cp1252DecodesToTheRightCharacters)
{
    std::string text;
    parseMultiLineFile("caf\xE9 \x80 \x9C \x9F \x81\x8D\x8F\x90\x9D\r\n", text);
    EXPECT_EQ(text, "café € œ Ÿ \u0081\u008D\u008F\u0090\u009D");
}

TEST(TextEncoding, TextThatFitsCp1252IsWrittenInIt)
{
    EXPECT_EQ(formatMultiLineFile("Grüße €1 „x“ — ™"), "Gr\xFC\xDF" "e \x80" "1 \x84x\x93 \x97 \x99\r\n");
    EXPECT_EQ(formatMultiLineFile(""), "\r\n");
}

TEST(TextEncoding, TextOutsideCp1252MakesTheWholeFileUtf8WithAMark)
{
    const std::string text = "Grüße €1 ☃ 中";
    EXPECT_EQ(formatMultiLineFile(text), "\xEF\xBB\xBF" + text + "\r\n");
    // U+0080 has no byte in 1252 (0x80 is the euro sign); it must not become "?".
    EXPECT_EQ(formatMultiLineFile("a\u0080"), "\xEF\xBB\xBF" "a\u0080\r\n");
    std::string back;
    parseMultiLineFile(formatMultiLineFile(text), back);
    EXPECT_EQ(back, text);
}

TEST(TextEncoding, TextBeginningLikeAMarkIsNotMistakenForOne)
{
    // "ï»¿" fits 1252 but its bytes are those of the mark.
    const std::string text = "ï»¿abc";
    std::string back;
    parseMultiLineFile(formatMultiLineFile(text), back);
    EXPECT_EQ(back, text);
    std::array<std::string, 10> personal{text};
    std::array<std::string, 11> personalBack{};
    parsePersonalFile(formatPersonalFile(personal), personalBack);
    EXPECT_EQ(personalBack[0], text);
}

TEST(TextEncoding, BadUtf8BehindAMarkIsReadAsReplacementCharacters)
{
    std::string text;
    parseMultiLineFile("\xEF\xBB\xBF" "a\xC3(\xFF\xED\xA0\x80\xF0\x9F\r\n", text);
    EXPECT_EQ(text, "a\uFFFD(\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
}

TEST(TextEncoding, BadUtf8InMemoryIsStoredSafely)
{
    const std::string file = formatMultiLineFile("ok\xFF" "é");
    EXPECT_EQ(file, "\xEF\xBB\xBF" "ok\uFFFDé\r\n");
    EXPECT_EQ(file.find('?'), std::string::npos);
}
