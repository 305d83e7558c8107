// Taking a message box's style number apart: buttons, icon, default button.

#include "platform/qt/MessageBoxStyle.h"

#include <gtest/gtest.h>

using tapfill::platform::qt::decodeMessageBoxStyle;
using tapfill::platform::qt::MessageBoxIcon;

namespace {
constexpr int Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;
}

TEST(MessageBoxStyle, TheTwoCopiesWarning)
{
    // Yes and No, critical icon, No the default.
    const auto style = decodeMessageBoxStyle(4 + 16 + 256);
    EXPECT_EQ(style.answers, (std::vector{Yes, No}));
    EXPECT_EQ(style.icon, MessageBoxIcon::Critical);
    EXPECT_EQ(style.defaultIndex, 1);
}

TEST(MessageBoxStyle, EveryButtonSet)
{
    EXPECT_EQ(decodeMessageBoxStyle(0).answers, (std::vector{Ok}));
    EXPECT_EQ(decodeMessageBoxStyle(1).answers, (std::vector{Ok, Cancel}));
    EXPECT_EQ(decodeMessageBoxStyle(2).answers, (std::vector{Abort, Retry, Ignore}));
    EXPECT_EQ(decodeMessageBoxStyle(3).answers, (std::vector{Yes, No, Cancel}));
    EXPECT_EQ(decodeMessageBoxStyle(4).answers, (std::vector{Yes, No}));
    EXPECT_EQ(decodeMessageBoxStyle(5).answers, (std::vector{Retry, Cancel}));
    // A set the box does not know still gives a way to close it.
    EXPECT_EQ(decodeMessageBoxStyle(6).answers, (std::vector{Ok}));
    EXPECT_EQ(decodeMessageBoxStyle(15).answers, (std::vector{Ok}));
}

TEST(MessageBoxStyle, EveryIcon)
{
    EXPECT_EQ(decodeMessageBoxStyle(0).icon, MessageBoxIcon::None);
    EXPECT_EQ(decodeMessageBoxStyle(16).icon, MessageBoxIcon::Critical);
    EXPECT_EQ(decodeMessageBoxStyle(32 + 4).icon, MessageBoxIcon::Question);
    EXPECT_EQ(decodeMessageBoxStyle(48).icon, MessageBoxIcon::Warning);
    EXPECT_EQ(decodeMessageBoxStyle(64 + 1).icon, MessageBoxIcon::Information);
    EXPECT_EQ(decodeMessageBoxStyle(80).icon, MessageBoxIcon::None);
}

TEST(MessageBoxStyle, DefaultButtonThatDoesNotExistFallsBackToTheFirst)
{
    EXPECT_EQ(decodeMessageBoxStyle(3 + 512).defaultIndex, 2);
    EXPECT_EQ(decodeMessageBoxStyle(0 + 256).defaultIndex, 0);
    EXPECT_EQ(decodeMessageBoxStyle(4 + 512).defaultIndex, 0);
    EXPECT_EQ(decodeMessageBoxStyle(2 + 768).defaultIndex, 0);
}

TEST(MessageBoxStyle, FlagsOutsideTheFieldsAreIgnored)
{
    // System-modal (4096) and foreground (65536) change nothing here.
    const auto plain = decodeMessageBoxStyle(4 + 16 + 256);
    const auto flagged = decodeMessageBoxStyle(4 + 16 + 256 + 4096 + 65536);
    EXPECT_EQ(flagged.answers, plain.answers);
    EXPECT_EQ(flagged.icon, plain.icon);
    EXPECT_EQ(flagged.defaultIndex, plain.defaultIndex);
}
