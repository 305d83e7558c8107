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

TEST_F(ClickCapture, LeftReleaseStartsADeliveryOnlyWithClickAcceptanceOnWhateverThePasteMode)
{
    EXPECT_EQ(fake.winHook2().watchedMessages, std::vector{MouseMessage::LeftButtonUp});
    fake.winHook2().injectMessage(MouseMessage::LeftButtonUp);
    EXPECT_FALSE(form.Timer1.enabled());

    switchClickAcceptanceOn();
    fake.winHook2().injectMessage(MouseMessage::LeftButtonUp, 0x99, /*ownWindow=*/true);
    EXPECT_FALSE(form.Timer1.enabled()) << "a click on Tapfill itself is no paste click";
    fake.winHook2().injectMessage(MouseMessage::LeftButtonUp, 0x1234);
    EXPECT_TRUE(form.Timer1.enabled());
    EXPECT_EQ(fake.subClass2().targetWindow(), 0x1234u);
    EXPECT_TRUE(fake.keys().typed.empty()) << "nothing is typed before the tick";
    engine.Timer1_Timer();

    form.setActiveFlag(1);
    leftClickAndTick();
    EXPECT_EQ(fake.keys().typed, (std::vector<std::string>{"^{v}", "^{v}"}));
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

TEST_F(ClickCapture, RightClickIsSwallowedAndRaisesTheWindowInPasteModeAndAdvancesWithClickAcceptance)
{
    EXPECT_EQ(fake.winHook1().watchedMessages,
              (std::vector{MouseMessage::RightButtonDown, MouseMessage::RightButtonUp}));
    // Paste mode, click acceptance, messages kept from the program, O1 button selected after.
    const std::tuple<std::int16_t, bool, int, int> cases[] = {{1, false, 2, 0}, {1, true, 2, 1}, {0, true, 0, 0}};
    for (const auto& [pasteMode, clickAcceptance, kept, selected] : cases) {
        form.setActiveFlag(pasteMode);
        ui::MainWindow::select(form.O1[0]);
        if (clickAcceptance)
            switchClickAcceptanceOn();
        if (!pasteMode)
            form.hide();
        fake.placement().topmostCalls.clear();
        fake.subClass1().setTargetWindow(0);

        EXPECT_EQ(rightClick(), kept) << "paste mode " << pasteMode << ", acceptance " << clickAcceptance;
        EXPECT_EQ(fake.placement().topmostCalls.size(), kept ? 2u : 0u);
        EXPECT_EQ(fake.subClass1().targetWindow(), kept ? 0x400001u : 0u);
        EXPECT_EQ(selectedIndex(form.O1), selected) << "one click, one step";
        EXPECT_EQ(fake.subClass1().armed, pasteMode == 1);
        EXPECT_EQ(form.isVisible(), pasteMode == 1);
    }
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

TEST_F(ClickCapture, ReleaseInsideThe120msPauseStillGivesExactlyOneStepPerClick)
{
    switchClickAcceptanceOn();
    form.setActiveFlag(1);

    // First click: the press advances and pauses click acceptance; the
    // release falls into the pause and does nothing.
    fake.subClass1().injectMessage(MouseMessage::RightButtonDown);
    EXPECT_EQ(selectedIndex(form.O1), 1);
    EXPECT_EQ(state.ReadyFlag, 0);
    EXPECT_TRUE(form.Timer2.enabled());
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
    EXPECT_EQ(fake.winHook1().watchedKey, platform::WatchedKey::F12);
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

} // namespace
} // namespace tapfill::test
