// The delivery after an accepted click: which text, which keys, in which
// order, and what happens when something fails.

#include "support/AppFixture.h"

namespace tapfill::test {
namespace {

using Keys = std::vector<std::string>;

struct PasteDelivery : AppFixture {
    PasteDelivery()
    {
        form.show();
        for (int i = 0; i < 12; ++i) {
            form.I[i]->setText(QString("line %1").arg(i));
            form.ML[i]->setPlainText(QString("multi %1\nsecond line").arg(i));
        }
        for (int i = 0; i < 10; ++i)
            state.PersonalData[i] = "personal " + std::to_string(i);
        turnOuter(0);
        switchClickAcceptanceOn();
    }
};

TEST_F(PasteDelivery, PastesTheSelectedFieldWithCtrlVTabEnterThenTheAdvanceAndGoesIdle)
{
    // Auto Tab, Auto Carriage Return, Auto Advance, and the keys typed.
    const std::tuple<bool, bool, bool, Keys> cases[] = {
        {false, false, false, {"^{v}"}},
        {true, false, false, {"^{v}", "{TAB}"}},
        {false, true, false, {"^{v}", "{ENTER}"}},
        {true, true, true, {"^{v}", "{TAB}", "{ENTER}"}},
    };
    for (const auto& [tab, enter, advance, keys] : cases) {
        form.AUT->setChecked(tab);
        form.AUT2->setChecked(enter);
        form.AUT3->setChecked(advance);
        ui::MainWindow::select(form.O1[11]);
        engine.Timer2_Timer();
        fake.keys().typed.clear();

        fake.keys().holdProcessing = true;
        leftClickAndTick();
        EXPECT_EQ(fake.clipboard().text, "line 11");
        // Each key waits until the one before it has been processed.
        for (std::size_t sent = 1; sent <= keys.size(); ++sent) {
            EXPECT_EQ(fake.keys().typed.size(), sent);
            EXPECT_EQ(selectedIndex(form.O1), 11) << "the advance comes last";
            fake.keys().processNext();
        }
        EXPECT_EQ(fake.keys().typed, keys);
        EXPECT_EQ(selectedIndex(form.O1), advance ? 0 : 11) << "advance wraps to the first field";
        EXPECT_FALSE(form.Timer1.enabled());
        EXPECT_FALSE(engine.delivering());
        fake.keys().holdProcessing = false;
    }
}

TEST_F(PasteDelivery, AutoAdvancePausesClickAcceptance)
{
    form.AUT3->setChecked(true);
    state.AdvanceToggle = 1; // left over from a right click: an automatic advance still moves
    leftClickAndTick();
    EXPECT_EQ(selectedIndex(form.O1), 1);
    EXPECT_EQ(state.ReadyFlag, 0);
    EXPECT_TRUE(form.Timer2.enabled());

    fake.keys().typed.clear();
    leftClickAndTick();
    EXPECT_TRUE(fake.keys().typed.empty()) << "a click inside the 120 ms pause delivers nothing";
}

TEST_F(PasteDelivery, NoAdvanceWhenClickAcceptanceWentOffBeforeTheTick)
{
    form.AUT3->setChecked(true);
    fake.winHook2().injectMessage(platform::MouseMessage::LeftButtonUp);
    engine.Command2_Click(); // PASTE off within the 100 ms
    engine.Timer1_Timer();
    EXPECT_EQ(fake.keys().typed, Keys{"^{v}"});
    EXPECT_EQ(selectedIndex(form.O1), 0);
}

TEST_F(PasteDelivery, NothingSelectedEmptiesTheClipboardAndStillSendsTheKeys)
{
    fake.clipboard().text = "whatever was there";
    form.lineAndPersonalGroup->setExclusive(false);
    form.O1[0]->setChecked(false);
    form.lineAndPersonalGroup->setExclusive(true);
    form.AUT->setChecked(true);
    form.AUT2->setChecked(true);
    leftClickAndTick();
    EXPECT_EQ(fake.clipboard().text, "");
    EXPECT_EQ(fake.keys().typed, (Keys{"^{v}", "{TAB}", "{ENTER}"}));
}

TEST_F(PasteDelivery, EachPageDeliversFromItsOwnSet)
{
    // "OPT." pastes from "1 LINE", "PERS" the stored personal data, and on
    // "MULTI" a selection on a sub-page not showing still counts.
    const std::tuple<int, QRadioButton*, const char*> cases[] = {
        {3, form.O1[5], "line 5"}, {1, form.PERS[8], "personal 8"}, {2, form.Option(11), "multi 10\nsecond line"}};
    for (const auto& [page, button, text] : cases) {
        turnOuter(page);
        ui::MainWindow::select(button);
        engine.Timer2_Timer(); // the page turn and the selection paused click acceptance
        leftClickAndTick();
        EXPECT_EQ(fake.clipboard().text, text) << "page " << page;
    }
}

TEST_F(PasteDelivery, FailureBeforeThePasteIsRetriedForAboutTwoSecondsThenDropped)
{
    fake.clipboard().failures = 3;
    fake.winHook2().injectMessage(platform::MouseMessage::LeftButtonUp);
    for (int tick = 0; tick < 3; ++tick)
        engine.Timer1_Timer();
    EXPECT_TRUE(form.Timer1.enabled());
    EXPECT_TRUE(fake.keys().typed.empty());
    engine.Timer1_Timer();
    EXPECT_EQ(fake.keys().typed, Keys{"^{v}"});
    EXPECT_FALSE(form.Timer1.enabled());

    fake.keys().typed.clear();
    fake.clipboard().failures = 1000;
    fake.winHook2().injectMessage(platform::MouseMessage::LeftButtonUp);
    int ticks = 0;
    while (form.Timer1.enabled() && ticks < 1000) {
        engine.Timer1_Timer();
        ++ticks;
    }
    EXPECT_EQ(ticks, paste::PasteEngine::MaxDeliveryAttempts);
    EXPECT_TRUE(fake.keys().typed.empty()) << "a dropped delivery types nothing, ever";
}

TEST_F(PasteDelivery, KeysThatCouldNotBeTypedAreRetriedButAPasteIsNeverTypedTwice)
{
    fake.keys().failNext = true; // Ctrl+V could not be typed at all
    fake.winHook2().injectMessage(platform::MouseMessage::LeftButtonUp);
    engine.Timer1_Timer();
    EXPECT_TRUE(form.Timer1.enabled());
    engine.Timer1_Timer();
    EXPECT_EQ(fake.keys().typed, Keys{"^{v}"});

    // Tab fails after the paste went out: the delivery ends there.
    form.AUT->setChecked(true);
    form.AUT2->setChecked(true);
    fake.keys().typed.clear();
    fake.keys().holdProcessing = true;
    leftClickAndTick();
    fake.keys().processNext(true);  // Ctrl+V processed
    fake.keys().processNext(false); // Tab failed
    EXPECT_EQ(fake.keys().typed, (Keys{"^{v}", "{TAB}"}));
    EXPECT_FALSE(form.Timer1.enabled());
    EXPECT_FALSE(engine.delivering());
}

TEST_F(PasteDelivery, AClickDuringADeliveryIsDeliveredAfterIt)
{
    fake.keys().holdProcessing = true;
    leftClickAndTick();
    fake.winHook2().injectMessage(platform::MouseMessage::LeftButtonUp);
    engine.Timer1_Timer(); // the first delivery still waits for its paste
    EXPECT_EQ(fake.keys().typed.size(), 1u);
    EXPECT_TRUE(form.Timer1.enabled());

    fake.keys().processNext();
    engine.Timer1_Timer();
    EXPECT_EQ(fake.keys().typed, (Keys{"^{v}", "^{v}"}));
}

} // namespace
} // namespace tapfill::test
