// The tray tip as the desktop shows it: the text before the NUL.

#include "platform/qt/TrayTip.h"

#include <gtest/gtest.h>

using tapfill::platform::qt::trayTipText;

TEST(TrayTip, EndsAtTheNulAndDropsThePadding)
{
    const std::string idle = "Double Click To Start Tapfill";
    const std::string field = idle + '\0' + std::string(63 - idle.size(), ' ');
    ASSERT_EQ(field.size(), 64u);
    EXPECT_EQ(trayTipText(field), QString::fromStdString(idle));
}

TEST(TrayTip, BlanksBeforeTheNulBelongToTheTip)
{
    EXPECT_EQ(trayTipText(std::string("Active  \0   ", 11)), "Active  ");
}

TEST(TrayTip, WithoutNulTheWholeFieldCounts)
{
    EXPECT_EQ(trayTipText("no terminator"), "no terminator");
}

TEST(TrayTip, EmptyTips)
{
    EXPECT_EQ(trayTipText(std::string(64, '\0')), "");
    EXPECT_EQ(trayTipText(""), "");
}

TEST(TrayTip, TextIsUtf8)
{
    EXPECT_EQ(trayTipText(std::string("Grüße €1\0", 13)), QString::fromUtf8("Grüße €1"));
}
