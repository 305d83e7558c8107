#include "storage/NumberText.h"

#include <gtest/gtest.h>

#include <limits>

using namespace tapfill::storage;

TEST(ReadNumber, TakesTheLongestLeadingNumberIgnoringBlanksTabsAndLineFeeds)
{
    EXPECT_EQ(readNumber(" 1440 "), 1440);
    EXPECT_EQ(readNumber("-150 "), -150);
    EXPECT_EQ(readNumber("1.0"), 1);
    EXPECT_EQ(readNumber("01abc"), 1);
    EXPECT_EQ(readNumber("1 1"), 11);
    EXPECT_EQ(readNumber("\t1\n2 "), 12);
    EXPECT_EQ(readNumber("  -  5"), -5);
    EXPECT_EQ(readNumber("+7"), 7);
    EXPECT_EQ(readNumber(".5"), 0.5);
    EXPECT_EQ(readNumber("-.25x"), -0.25);
    EXPECT_EQ(readNumber("1.5e-1z"), 0.15);
    EXPECT_EQ(readNumber("1,5"), 1); // a comma is never a decimal point
}

TEST(ReadNumber, ExponentNeedsDigits)
{
    EXPECT_EQ(readNumber("1e3"), 1000);
    EXPECT_EQ(readNumber("2E+2"), 200);
    EXPECT_EQ(readNumber("1e"), 1);
    EXPECT_EQ(readNumber("1e+"), 1);
    EXPECT_EQ(readNumber("3ex5"), 3);
}

TEST(ReadNumber, NoNumberGivesZero)
{
    EXPECT_EQ(readNumber(""), 0);
    EXPECT_EQ(readNumber("x"), 0);
    EXPECT_EQ(readNumber("-"), 0);
    EXPECT_EQ(readNumber("."), 0);
    EXPECT_EQ(readNumber("- x 1"), 0);
    EXPECT_EQ(readNumber(std::string_view("\0" "1", 2)), 0);
    EXPECT_EQ(readNumber("1e999"), 0); // beyond a double: no usable number
}

TEST(WriteNumber, BlankOrMinusInFrontAndOneBlankAfter)
{
    EXPECT_EQ(writeNumber(1440), " 1440 ");
    EXPECT_EQ(writeNumber(-150), "-150 ");
    EXPECT_EQ(writeNumber(0), " 0 ");
    EXPECT_EQ(writeNumber(-0.0), " 0 ");
    EXPECT_EQ(writeNumber(1234567), " 1234567 ");
}

TEST(WriteNumber, NonWholeValuesAsASingleWithSevenDigits)
{
    EXPECT_EQ(writeNumber(12.5), " 12.5 ");
    EXPECT_EQ(writeNumber(0.5), " .5 ");
    EXPECT_EQ(writeNumber(-0.25), "-.25 ");
    EXPECT_EQ(writeNumber(1.0 / 3), " .3333333 ");
    EXPECT_EQ(writeNumber(12345678), " 1.234568E+07 ");
    EXPECT_EQ(writeNumber(0.00001), " 1E-05 ");
}

TEST(WriteNumber, ValuesASingleCannotHoldAreWrittenAsZero)
{
    EXPECT_EQ(writeNumber(std::numeric_limits<double>::quiet_NaN()), " 0 ");
    EXPECT_EQ(writeNumber(std::numeric_limits<double>::infinity()), " 0 ");
    EXPECT_EQ(writeNumber(1e300), " 0 ");
}

TEST(WriteNumber, ReadsBackWholeTwipPositions)
{
    for (double value : {-32768.0, -1.0, 1.0, 15.0, 1440.0, 99999.0, 9999999.0})
        EXPECT_EQ(readNumber(writeNumber(value)), value) << value;
}
