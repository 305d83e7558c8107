#include "storage/NumberText.h"

#include <gtest/gtest.h>

#include <limits>

using namespace tapfill::storage;

TEST(ReadNumber, TakesTheLongestLeadingNumberIgnoringBlanksTabsAndLineFeeds)
{
    const std::pair<std::string_view, double> cases[] = {
        {" 1440 ", 1440}, {"-150 ", -150}, {"1.0", 1}, {"01abc", 1}, {"1 1", 11}, {"\t1\n2 ", 12},
        {"  -  5", -5}, {"+7", 7}, {".5", 0.5}, {"-.25x", -0.25}, {"1.5e-1z", 0.15},
        {"1,5", 1}, // a comma is never a decimal point
        // An exponent needs digits.
        {"1e3", 1000}, {"2E+2", 200}, {"1e", 1}, {"1e+", 1}, {"3ex5", 3},
        // No number gives zero, and so does one beyond a double.
        {"", 0}, {"x", 0}, {"-", 0}, {".", 0}, {"- x 1", 0}, {std::string_view("\0" "1", 2), 0}, {"1e999", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(readNumber(text), value) << '"' << text << '"';
}

TEST(WriteNumber, BlankOrMinusInFrontAndOneBlankAfterAsASingleWithSevenDigits)
{
    const std::pair<double, std::string_view> cases[] = {
        {1440, " 1440 "}, {-150, "-150 "}, {0, " 0 "}, {-0.0, " 0 "}, {1234567, " 1234567 "},
        {12.5, " 12.5 "}, {0.5, " .5 "}, {-0.25, "-.25 "}, {1.0 / 3, " .3333333 "},
        {12345678, " 1.234568E+07 "}, {0.00001, " 1E-05 "},
        // What a single cannot hold is written as zero.
        {std::numeric_limits<double>::quiet_NaN(), " 0 "}, {std::numeric_limits<double>::infinity(), " 0 "},
        {1e300, " 0 "},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(writeNumber(value), text) << value;
    for (double value : {-32768.0, -1.0, 1.0, 15.0, 1440.0, 99999.0, 9999999.0})
        EXPECT_EQ(readNumber(writeNumber(value)), value) << value;
}
