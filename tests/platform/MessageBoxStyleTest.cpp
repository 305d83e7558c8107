// Taking a message box's style number apart: buttons, icon, default button.

#include "platform/qt/MessageBoxStyle.h"

#include <gtest/gtest.h>

using tapfill::platform::qt::decodeMessageBoxStyle;
using tapfill::platform::qt::MessageBoxIcon;

namespace {
constexpr int Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;
}

TEST(MessageBoxStyle, EveryButtonSetIconAndDefaultButton)
{
    // A set the box does not know (6, 15) still gives a way to close it;
    // system-modal (4096) and foreground (65536) change nothing here.
    constexpr int Flags = 4096 + 65536;
    const std::pair<int, std::vector<int>> sets[] = {
        {0, {Ok}},     {1, {Ok, Cancel}},     {2, {Abort, Retry, Ignore}}, {3, {Yes, No, Cancel}},
        {4, {Yes, No}}, {5, {Retry, Cancel}}, {6, {Ok}}, {15, {Ok}}, {4 + Flags, {Yes, No}},
    };
    for (const auto& [style, answers] : sets)
        EXPECT_EQ(decodeMessageBoxStyle(style).answers, answers) << style;

    const std::pair<int, MessageBoxIcon> icons[] = {
        {0, MessageBoxIcon::None},      {16, MessageBoxIcon::Critical},        {32 + 4, MessageBoxIcon::Question},
        {48, MessageBoxIcon::Warning},  {64 + 1, MessageBoxIcon::Information}, {80, MessageBoxIcon::None},
        {16 + Flags, MessageBoxIcon::Critical},
    };
    for (const auto& [style, icon] : icons)
        EXPECT_EQ(decodeMessageBoxStyle(style).icon, icon) << style;

    // A default button that does not exist falls back to the first.
    for (const auto& [style, index] :
         {std::pair{3 + 512, 2}, {0 + 256, 0}, {4 + 512, 0}, {2 + 768, 0}, {4 + 256, 1}, {4 + 256 + Flags, 1}})
        EXPECT_EQ(decodeMessageBoxStyle(style).defaultIndex, index) << style;
}
