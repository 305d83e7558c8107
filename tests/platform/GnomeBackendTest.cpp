// The GNOME backend's own logic, without a shell: when it is chosen, what
// the extension is asked to grab and type, and what a user without the
// extension is told.

#include "platform/gnome/GnomeInput.h"
#include "platform/gnome/GnomeKeySender.h"
#include "platform/gnome/GnomePlatform.h"

#include <gtest/gtest.h>

#include <xkbcommon/xkbcommon-keysyms.h>

using namespace tapfill::platform;
using namespace tapfill::platform::gnome;

namespace {

using Keys = std::vector<std::pair<unsigned, bool>>;

std::optional<Keys> plan(const std::string& notation, bool text, bool* paste = nullptr)
{
    bool isPaste = false;
    auto keys = GnomeKeySender::plan(notation, text, isPaste);
    if (paste)
        *paste = isPaste;
    return keys;
}

} // namespace

TEST(GnomeBackend, ChosenOnGnomeUnderWaylandOnly)
{
    EXPECT_TRUE(isGnomeWayland({"wayland", "wayland-0", "GNOME"}));
    EXPECT_TRUE(isGnomeWayland({"wayland", "", "ubuntu:GNOME"}));
    // A session type that is unset leaves WAYLAND_DISPLAY to tell.
    EXPECT_TRUE(isGnomeWayland({"", "wayland-0", "GNOME"}));
    EXPECT_FALSE(isGnomeWayland({"", "", "GNOME"}));
    EXPECT_FALSE(isGnomeWayland({"x11", "wayland-0", "GNOME"})); // XWayland's DISPLAY under an X11 session
    EXPECT_FALSE(isGnomeWayland({"wayland", "wayland-0", "KDE"}));
    EXPECT_FALSE(isGnomeWayland({"wayland", "wayland-0", "GNOME-Classic-ish"}));
}

TEST(GnomeBackend, PasteModeKeyAsTheShellGrabsIt)
{
    EXPECT_EQ(GnomeMessageHook::accelerator(KeyChord{}), "F12");
    EXPECT_EQ(GnomeMessageHook::accelerator(KeyChord{"F9", true, false, true, false}), "<Control><Shift>F9");
    EXPECT_EQ(GnomeMessageHook::accelerator(KeyChord{"Pause", false, true, false, true}), "<Alt><Super>Pause");
}

TEST(GnomeBackend, KeysAsKeysymsWithTheirModifiersAround)
{
    bool paste = false;
    EXPECT_EQ(plan("^{v}", false, &paste),
              (Keys{{XKB_KEY_Control_L, true}, {'v', true}, {'v', false}, {XKB_KEY_Control_L, false}}));
    EXPECT_TRUE(paste);
    EXPECT_EQ(plan("^+{v}", false, &paste),
              (Keys{{XKB_KEY_Control_L, true}, {XKB_KEY_Shift_L, true}, {'v', true}, {'v', false},
                    {XKB_KEY_Shift_L, false}, {XKB_KEY_Control_L, false}}));
    EXPECT_TRUE(paste);
    EXPECT_EQ(plan("+{INSERT}", false, &paste),
              (Keys{{XKB_KEY_Shift_L, true}, {XKB_KEY_Insert, true}, {XKB_KEY_Insert, false}, {XKB_KEY_Shift_L, false}}));
    EXPECT_TRUE(paste);
    EXPECT_EQ(plan("{TAB}", false, &paste), (Keys{{XKB_KEY_Tab, true}, {XKB_KEY_Tab, false}}));
    EXPECT_FALSE(paste);
    EXPECT_EQ(plan("{ENTER}", false), (Keys{{XKB_KEY_Return, true}, {XKB_KEY_Return, false}}));
    // Broken notation is refused whole, never typed in part.
    EXPECT_EQ(plan("^{v", false), std::nullopt);
    EXPECT_EQ(plan("{NOSUCHKEY}", false), std::nullopt);
}

TEST(GnomeBackend, TextAsTheKeysymsOfItsCharacters)
{
    // Latin-1 letters have keysyms of their own, the euro sign a legacy one,
    // other characters their Unicode keysym; a line break is Return.
    EXPECT_EQ(plan("aé€\u0416\n", true),
              (Keys{{'a', true}, {'a', false}, {0xe9, true}, {0xe9, false}, {XKB_KEY_EuroSign, true},
                    {XKB_KEY_EuroSign, false}, {XKB_KEY_Cyrillic_ZHE, true}, {XKB_KEY_Cyrillic_ZHE, false},
                    {XKB_KEY_Return, true}, {XKB_KEY_Return, false}}));
    EXPECT_EQ(plan("a\x01", true), std::nullopt); // a control character no key types
}

TEST(GnomeBackend, MessageWithoutTheExtensionSaysHowToTurnItOn)
{
    const std::string enable = "gnome-extensions enable tapfill@tapfill.github.io";
    for (int state : {-1, 2, 3, 4, 6}) {
        SCOPED_TRACE(state);
        EXPECT_NE(extensionMissingMessage(state, "").find(enable), std::string::npos);
    }
    EXPECT_NE(extensionMissingMessage(-1, "").find("Install the tapfill package"), std::string::npos);
    EXPECT_NE(extensionMissingMessage(2, "").find("turned off"), std::string::npos);
    EXPECT_NE(extensionMissingMessage(3, "ReferenceError: x").find("(ReferenceError: x)"), std::string::npos);
}
