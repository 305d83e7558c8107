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

    QStringList captions() const
    {
        QStringList shown;
        for (QAction* action : menu.menu.actions())
            shown << (action->isSeparator() ? QStringLiteral("--") : action->text());
        return shown;
    }
};

TEST_F(TrayMenuTest, TheIconCarriesTheMenuAndTheDoubleClickKeepsItsMeaning)
{
    EXPECT_EQ(fake.tray().menu, &menu.menu);
    EXPECT_EQ(captions(), QStringList({"&Show the window", "&Paste mode", "Start with the &desktop", "--", "E&xit"}));
    fake.tray().doubleClick();
    EXPECT_TRUE(model.pasteMode());
    EXPECT_TRUE(menu.pasteModeAction->isChecked());
}

TEST_F(TrayMenuTest, PasteModeSwitchesAsTheDoubleClickAndFollowsTheOtherSwitches)
{
    menu.pasteModeAction->trigger();
    EXPECT_TRUE(model.pasteMode());
    EXPECT_TRUE(form.isVisible()) << "on, with the window, as the double click";
    EXPECT_EQ(fake.placement().topmostCalls.size(), 1u);
    EXPECT_EQ(fake.tray().tip, "Tapfill is Active!! Double Click to De-activate.");
    EXPECT_TRUE(menu.pasteModeAction->isChecked());

    menu.pasteModeAction->trigger();
    EXPECT_FALSE(model.pasteMode());
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(menu.pasteModeAction->isChecked());

    engine.togglePasteMode(); // the paste mode key
    EXPECT_TRUE(menu.pasteModeAction->isChecked());
    form.suspendButton->click();
    EXPECT_FALSE(menu.pasteModeAction->isChecked());
}

TEST_F(TrayMenuTest, ShowTheWindowShowsItAndChangesNothingElse)
{
    menu.showWindowAction->trigger();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(model.pasteMode());
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

TEST_F(TrayMenuTest, ExitDoesWhatTheExitButtonDoes)
{
    menu.pasteModeAction->trigger();
    menu.exitAction->trigger();
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(fake.settings().values.at("lockfiles/startit/FL1"), "0");
    EXPECT_FALSE(fake.tray().present);
}

} // namespace
} // namespace tapfill::test
