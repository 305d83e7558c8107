// The tray tip as the desktop shows it: the text before the NUL.

#include "platform/qt/TrayTip.h"

#include <gtest/gtest.h>

using tapfill::platform::qt::trayTipText;

TEST(TrayTip, EndsAtTheNulKeepsBlanksBeforeItAndIsUtf8)
{
    const std::string idle = "Double Click To Start Tapfill";
    const std::pair<std::string, QString> cases[] = {
        {idle + '\0' + std::string(63 - idle.size(), ' '), QString::fromStdString(idle)}, // the padded field
        {std::string("Active  \0   ", 11), "Active  "},
        {"no terminator", "no terminator"},
        {std::string(64, '\0'), ""},
        {"", ""},
        {std::string("Grüße €1\0", 13), QString::fromUtf8("Grüße €1")},
    };
    for (const auto& [field, tip] : cases)
        EXPECT_EQ(trayTipText(field), tip) << field;
}
