// Key sequences as SendInput events: shortcuts as virtual keys whatever the
// layout, characters as Unicode, and no event at all for a sequence that
// cannot be typed as written.
#include "platform/windows/KeyInputs.h"

#include <gtest/gtest.h>

using namespace tapfill::platform;
using namespace tapfill::platform::windows;

namespace {

/// "+11 -11" for key 0x11 down and up; "u+00fc" for a Unicode press, "u-00fc" its release.
std::string describe(const std::vector<INPUT>& inputs)
{
    std::string out;
    for (const auto& input : inputs) {
        char word[16];
        const bool up = input.ki.dwFlags & KEYEVENTF_KEYUP;
        if (input.ki.dwFlags & KEYEVENTF_UNICODE)
            std::snprintf(word, sizeof word, "u%c%04x", up ? '-' : '+', input.ki.wScan);
        else
            std::snprintf(word, sizeof word, "%c%02x%s", up ? '-' : '+', input.ki.wVk,
                          input.ki.dwFlags & KEYEVENTF_EXTENDEDKEY ? "e" : "");
        out += out.empty() ? word : std::string(" ") + word;
    }
    return out;
}

std::string typed(const std::string& notation)
{
    std::string why;
    auto inputs = keyInputs(*keys::parseKeyNotation(notation), why);
    return inputs ? describe(*inputs) : "refused: " + why;
}

} // namespace

TEST(KeyInputs, ShortcutsGoAsVirtualKeysWithTheirModifiersAround)
{
    EXPECT_EQ(typed("^{v}"), "+11 +56 -56 -11");
    EXPECT_EQ(typed("^{V}"), "+11 +56 -56 -11") << "the key, not a capital";
    EXPECT_EQ(typed("^+{v}"), "+11 +10 +56 -56 -10 -11");
    EXPECT_EQ(typed("+{INSERT}"), "+10 +2de -2de -10") << "Insert of the grey block, not the number pad's 0";
    EXPECT_EQ(typed("{TAB}{ENTER}"), "+09 -09 +0d -0d");
    EXPECT_EQ(typed("%{F4}"), "+12 +73 -73 -12");
}

TEST(KeyInputs, CharactersGoAsUnicodeAndAShortcutWithoutAKeyIsRefused)
{
    EXPECT_EQ(typed("\xc3\xbc\xe2\x82\xac"), "u+00fc u-00fc u+20ac u-20ac");
    EXPECT_EQ(typed("\xf0\x9f\x98\x80"), "u+d83d u-d83d u+de00 u-de00") << "a surrogate pair";
    EXPECT_EQ(typed("^{\xe2\x82\xac}"), "refused: a key with Ctrl, Alt or Shift that this keyboard layout does not have");
    const auto text = keys::textKeyStrokes("a\r\nb");
    std::string why;
    EXPECT_EQ(describe(*keyInputs(*text, why)), "u+0061 u-0061 +0d -0d u+0062 u-0062");
}
