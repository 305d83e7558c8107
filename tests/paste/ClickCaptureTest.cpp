// Clicks and F12 caught anywhere, as a user makes them.

#include "support/AppFixture.h"

namespace tapfill::test {
namespace {

using platform::MouseMessage;

struct ClickCapture : AppFixture {
    ClickCapture()
    {
        form.show();
        turnOuter(0); // "1 LINE", with O1(0) selected
        form.I[0]->setText("Jane");
    }
};

TEST_F(ClickCapture, LeftReleaseStartsADeliveryOnlyWithClickAcceptanceOn)
{
    fake.winHook2().injectMessage(MouseMessage::LeftButtonUp);
    EXPECT_FALSE(form.Timer1.enabled());

    switchClickAcceptanceOn();
    fake.winHook2().injectMessage(MouseMessage::LeftButtonUp, 0x1234);
    EXPECT_TRUE(form.Timer1.enabled());
    EXPECT_EQ(fake.subClass2().targetWindow(), 0x1234u);
    EXPECT_TRUE(fake.keys().typed.empty()) << "nothing is typed before the tick";
}

TEST_F(ClickCapture, LeftReleaseWorksWhetherPasteModeIsOnOrOff)
{
    switchClickAcceptanceOn();
    for (std::int16_t mode : {0, 1}) {
        form.setActiveFlag(mode);
        fake.keys().typed.clear();
        leftClickAndTick();
        EXPECT_EQ(fake.keys().typed, std::vector<std::string>{"^{v}"}) << "paste mode " << mode;
    }
}

TEST_F(ClickCapture, ClicksOnTapfillItselfAreNotPasteClicks)
{
    switchClickAcceptanceOn();
    fake.winHook2().injectMessage(MouseMessage::LeftButtonUp, 0x99, /*ownWindow=*/true);
    EXPECT_FALSE(form.Timer1.enabled());
}

TEST_F(ClickCapture, TwoReleasesWithin100msGiveOnePaste)
{
    switchClickAcceptanceOn();
    fake.winHook2().injectMessage(MouseMessage::LeftButtonUp);
    fake.winHook2().injectMessage(MouseMessage::LeftButtonUp);
    engine.Timer1_Timer();
    EXPECT_FALSE(form.Timer1.enabled());
    EXPECT_EQ(fake.keys().typed.size(), 1u);
    EXPECT_EQ(fake.clipboard().text, "Jane");
}

TEST_F(ClickCapture, RightClickInPasteModeIsSwallowedRaisesTheWindowAndAdvancesOnce)
{
    switchClickAcceptanceOn();
    form.setActiveFlag(1);
    ASSERT_EQ(selectedIndex(form.O1), 0);

    EXPECT_EQ(rightClick(), 2) << "press and release are both kept from the program";
    EXPECT_EQ(fake.placement().topmostCalls.size(), 2u);
    EXPECT_EQ(fake.subClass1().targetWindow(), 0x400001u);
    EXPECT_EQ(selectedIndex(form.O1), 1) << "one click, one step";
}

TEST_F(ClickCapture, RightClickInPasteModeBringsBackAHiddenWindow)
{
    switchClickAcceptanceOn();
    form.setActiveFlag(1);
    ui::MainWindow::select(form.O1[4]);
    engine.Timer2_Timer();
    form.Command1->click(); // HIDE
    form.Command2->click(); // PASTE again
    engine.Timer2_Timer();

    EXPECT_EQ(rightClick(), 2);
    EXPECT_TRUE(form.isVisible());
    // Coming back is an activation: it selects the first line and pauses
    // click acceptance, so this click does not advance.
    EXPECT_EQ(selectedIndex(form.O1), 0);
    EXPECT_EQ(state.ReadyFlag, 0);
}

TEST_F(ClickCapture, RightClickInPasteModeWithoutClickAcceptanceOnlyRaisesTheWindow)
{
    form.setActiveFlag(1);
    EXPECT_EQ(rightClick(), 2);
    EXPECT_FALSE(fake.placement().topmostCalls.empty());
    EXPECT_EQ(selectedIndex(form.O1), 0);
}

TEST_F(ClickCapture, RightClickOutsidePasteModeReachesTheProgramAndChangesNothing)
{
    switchClickAcceptanceOn();
    form.hide();
    EXPECT_FALSE(fake.subClass1().armed);
    EXPECT_EQ(rightClick(), 0);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(fake.placement().topmostCalls.empty());
    EXPECT_EQ(fake.subClass1().targetWindow(), 0u);
}

TEST_F(ClickCapture, ReleaseInsideThe120msPauseStillGivesExactlyOneStepPerClick)
{
    switchClickAcceptanceOn();
    form.setActiveFlag(1);

    // First click: the press advances and pauses click acceptance; the
    // release falls into the pause and does nothing.
    fake.subClass1().injectMessage(MouseMessage::RightButtonDown);
    EXPECT_EQ(selectedIndex(form.O1), 1);
    EXPECT_EQ(state.ReadyFlag, 0);
    fake.subClass1().injectMessage(MouseMessage::RightButtonUp);
    EXPECT_EQ(state.AdvanceToggle, 1);
    engine.Timer2_Timer();

    // Second click: the press only resets the toggle, the release advances.
    fake.subClass1().injectMessage(MouseMessage::RightButtonDown);
    EXPECT_EQ(selectedIndex(form.O1), 1);
    fake.subClass1().injectMessage(MouseMessage::RightButtonUp);
    EXPECT_EQ(selectedIndex(form.O1), 2);
}

TEST_F(ClickCapture, F12TwiceReturnsPasteModeAndTrayLookToWhereTheyWere)
{
    switchClickAcceptanceOn();
    const bool visible = form.isVisible();

    fake.winHook1().injectKey();
    EXPECT_EQ(state.ActiveFlag, 1);
    EXPECT_TRUE(fake.subClass1().armed);
    EXPECT_EQ(fake.tray().shownTip(), "Tapfill is Active!! Double Click to De-activate.");

    fake.winHook1().injectKey();
    EXPECT_EQ(state.ActiveFlag, 0);
    EXPECT_FALSE(fake.subClass1().armed);
    EXPECT_EQ(fake.tray().shownTip(), "Double Click To Start Tapfill");
    EXPECT_EQ(state.ReadyFlag, 1) << "F12 leaves click acceptance alone";
    EXPECT_EQ(form.isVisible(), visible);
}

TEST_F(ClickCapture, HooksWatchTheirMessagesAndKey)
{
    EXPECT_EQ(fake.winHook1().watchedMessages,
              (std::vector{MouseMessage::RightButtonDown, MouseMessage::RightButtonUp}));
    EXPECT_EQ(fake.winHook1().watchedKey, platform::WatchedKey::F12);
    EXPECT_EQ(fake.winHook2().watchedMessages, std::vector{MouseMessage::LeftButtonUp});
    EXPECT_EQ(fake.winHook2().watchedKey, platform::WatchedKey::None);
}

} // namespace
} // namespace tapfill::test
