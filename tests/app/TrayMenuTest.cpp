// The tray icon's menu: each command does what its counterpart elsewhere
// does, and the check marks follow the state however it changed.

#include "support/AppFixture.h"

#include "ui/tray/TrayMenu.h"

#include <QAction>
#include <QMenu>

#include <cstdlib>

namespace tapfill::test {
namespace {

struct TrayMenuTest : AppFixture {
    TempDir config;
    ui::TrayMenu& menu = *app.trayMenu;

    TrayMenuTest()
    {
        ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
        app.start();
    }
    ~TrayMenuTest() override { ::unsetenv("XDG_CONFIG_HOME"); }
};

// Paste mode switched by the menu and the double click with the window, on
// top, the icon's look, "Show the window" and the running flag after "Exit"
// are met in the e2e tests; here, the check mark following every switch, and
// an exit that takes the icon away.
TEST_F(TrayMenuTest, PasteModeIsTheDoubleClicksSwitchAndExitTheExitButtons)
{
    EXPECT_EQ(fake.tray().menu, &menu.menu);
    menu.pasteModeAction->trigger();
    EXPECT_TRUE(menu.pasteModeAction->isChecked());
    fake.tray().doubleClick();
    EXPECT_FALSE(menu.pasteModeAction->isChecked());

    engine.togglePasteMode(); // the paste mode key
    EXPECT_TRUE(menu.pasteModeAction->isChecked());
    form.suspendButton->click();
    EXPECT_FALSE(menu.pasteModeAction->isChecked());

    menu.exitAction->trigger(); // the e2e tests see the flag cleared
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(fake.tray().present);
}

TEST_F(TrayMenuTest, StartWithTheDesktopWritesAndRemovesTheEntry)
{
    const auto entry = config.path() / "autostart" / "tapfill.desktop";
    EXPECT_FALSE(menu.autostartAction->isChecked());
    menu.autostartAction->trigger();
    EXPECT_TRUE(std::filesystem::exists(entry));
    EXPECT_TRUE(menu.autostartAction->isChecked());

    std::filesystem::remove(entry); // removed by other means while running
    emit menu.menu.aboutToShow();
    EXPECT_FALSE(menu.autostartAction->isChecked());

    config.write("autostart-blocker", "");
    ::setenv("XDG_CONFIG_HOME", (config.path() / "autostart-blocker").c_str(), 1);
    menu.autostartAction->trigger();
    EXPECT_FALSE(menu.autostartAction->isChecked()) << "a failure leaves the mark off";
    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    EXPECT_TRUE(fake.dialogs().messages[0].text.contains("autostart-blocker"));
}

} // namespace
} // namespace tapfill::test
