// The delivery after an accepted click: which text, which keys, in which
// order, and what happens when something fails.

#include "support/EngineFixture.h"

namespace tapfill::test {
namespace {

using model::FieldSet;
using model::Page;
using Keys = std::vector<std::string>;

struct PasteDelivery : EngineFixture {
    PasteDelivery()
    {
        for (int i = 0; i < 12; ++i) {
            model.setText(FieldSet::OneLine, i, "line " + std::to_string(i));
            model.setText(FieldSet::MultiLine, i, "multi " + std::to_string(i) + "\nsecond line");
        }
        for (int i = 0; i < 10; ++i)
            model.setText(FieldSet::Personal, i, "personal " + std::to_string(i));
        acceptClicks();
    }
    void leftRelease() { fake.leftClickHook().injectMessage(platform::MouseMessage::LeftButtonUp); }
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
        model.autoTab = tab;
        model.autoEnter = enter;
        model.autoAdvance = advance;
        model.select(FieldSet::OneLine, 11);
        engine.resumeClickAcceptance();
        fake.keys().typed.clear();

        fake.keys().holdProcessing = true;
        leftClickAndTick();
        EXPECT_EQ(fake.clipboard().text, "line 11");
        // Each key waits until the one before it has been processed.
        for (std::size_t sent = 1; sent <= keys.size(); ++sent) {
            EXPECT_EQ(fake.keys().typed.size(), sent);
            EXPECT_EQ(selected(FieldSet::OneLine), 11) << "the advance comes last";
            fake.keys().processNext();
            if (sent == 1)
                pasteTaken();
        }
        EXPECT_EQ(fake.keys().typed, keys);
        EXPECT_EQ(selected(FieldSet::OneLine), advance ? 0 : 11) << "advance wraps to the first field";
        EXPECT_FALSE(engine.deliveryTimer->isActive());
        EXPECT_FALSE(engine.delivering());
        fake.keys().holdProcessing = false;
    }
}

TEST_F(PasteDelivery, AutoAdvanceAlwaysMovesAndLeavesClickAcceptanceOn)
{
    model.autoAdvance = true;
    // Half a right click went before: an automatic advance still moves.
    model.setPasteMode(true);
    fake.rightClickInterceptor().injectMessage(platform::MouseMessage::RightButtonDown);
    engine.resumeClickAcceptance();
    leftClickAndTick();
    EXPECT_EQ(selected(FieldSet::OneLine), 2);
    EXPECT_TRUE(model.clickAcceptance()) << "the user's next click, right after, still pastes";

    fake.keys().typed.clear();
    leftClickAndTick();
    EXPECT_EQ(fake.keys().typed, Keys{"^{v}"});
    EXPECT_EQ(fake.clipboard().text, "line 2");
}

TEST_F(PasteDelivery, AClickBeforeTabAndEnterWentOutDropsThemAndIsDeliveredNext)
{
    model.autoTab = model.autoEnter = model.autoAdvance = true;
    leftRelease();
    engine.deliver();
    fake.clipboard().reportRead();
    leftRelease(); // into the next box, while the program may still read
    settle();
    EXPECT_EQ(fake.keys().typed, Keys{"^{v}"}) << "no Tab or Enter into the box just clicked";
    EXPECT_EQ(selected(FieldSet::OneLine), 1);
    engine.deliver();
    pasteTaken();
    EXPECT_EQ(fake.clipboard().text, "line 1");
    EXPECT_EQ(fake.keys().typed, (Keys{"^{v}", "^{v}", "{TAB}", "{ENTER}"}));
}

TEST_F(PasteDelivery, NoAdvanceWhenClickAcceptanceWentOffBeforeTheTick)
{
    model.autoAdvance = true;
    leftRelease();
    engine.togglePaste(); // PASTE off within the 100 ms
    engine.deliver();
    EXPECT_EQ(fake.keys().typed, Keys{"^{v}"});
    EXPECT_EQ(selected(FieldSet::OneLine), 0);
}

TEST_F(PasteDelivery, NothingSelectedEmptiesTheClipboardAndStillSendsTheKeys)
{
    fake.clipboard().text = "whatever was there";
    model.select(FieldSet::Personal, 0); // the one-line page has no selection now
    engine.resumeClickAcceptance();
    model.autoTab = model.autoEnter = true;
    leftClickAndTick();
    EXPECT_EQ(fake.clipboard().text, "");
    EXPECT_EQ(fake.keys().typed, (Keys{"^{v}", "{TAB}", "{ENTER}"}));
}

TEST_F(PasteDelivery, EachPageDeliversFromItsOwnSet)
{
    // "OPT." pastes from "1 LINE", and on "MULTI" a selection on an inner
    // page not showing still counts.
    const std::tuple<Page, FieldSet, int, const char*> cases[] = {{Page::Options, FieldSet::OneLine, 5, "line 5"},
                                                                 {Page::Personal, FieldSet::Personal, 8, "personal 8"},
                                                                 {Page::MultiLine, FieldSet::MultiLine, 10,
                                                                  "multi 10\nsecond line"}};
    for (const auto& [page, set, index, text] : cases) {
        model.setPages(page, 0);
        model.select(set, index);
        engine.resumeClickAcceptance();
        leftClickAndTick();
        EXPECT_EQ(fake.clipboard().text, text) << "page " << int(page);
    }
}

TEST_F(PasteDelivery, FailureBeforeThePasteIsRetriedForAboutTwoSecondsThenDropped)
{
    fake.clipboard().failures = 3;
    leftRelease();
    for (int tick = 0; tick < 3; ++tick)
        engine.deliver();
    EXPECT_TRUE(engine.deliveryTimer->isActive());
    EXPECT_TRUE(fake.keys().typed.empty());
    engine.deliver();
    EXPECT_EQ(fake.keys().typed, Keys{"^{v}"});
    EXPECT_FALSE(engine.deliveryTimer->isActive());
    pasteTaken();

    fake.keys().typed.clear();
    fake.clipboard().failures = 1000;
    leftRelease();
    int ticks = 0;
    while (engine.deliveryTimer->isActive() && ticks < 1000) {
        engine.deliver();
        ++ticks;
    }
    EXPECT_EQ(ticks, engine::PasteEngine::MaxDeliveryAttempts);
    EXPECT_TRUE(fake.keys().typed.empty()) << "a dropped delivery types nothing, ever";
}

TEST_F(PasteDelivery, KeysThatCouldNotBeTypedAreRetriedButAPasteIsNeverTypedTwice)
{
    fake.keys().failNext = true; // Ctrl+V could not be typed at all
    leftRelease();
    engine.deliver();
    EXPECT_TRUE(engine.deliveryTimer->isActive());
    engine.deliver();
    EXPECT_EQ(fake.keys().typed, Keys{"^{v}"});
    pasteTaken();

    // Tab fails after the paste went out: the delivery ends there.
    model.autoTab = model.autoEnter = true;
    fake.keys().typed.clear();
    fake.keys().holdProcessing = true;
    leftClickAndTick();
    fake.keys().processNext(true);  // Ctrl+V processed
    pasteTaken();
    fake.keys().processNext(false); // Tab failed
    EXPECT_EQ(fake.keys().typed, (Keys{"^{v}", "{TAB}"}));
    EXPECT_FALSE(engine.deliveryTimer->isActive());
    EXPECT_FALSE(engine.delivering());
}

TEST_F(PasteDelivery, APasteTheProgramDidNotTakeEndsTheDeliveryAndIsNotRetried)
{
    model.autoTab = model.autoEnter = model.autoAdvance = true;
    std::vector<std::string> told;
    const auto connection = engine.deliveryStopped.connect([&](const std::string& why) { told.push_back(why); });
    fake.keys().focused = {"tk_form", "Tk_form", 4242};
    // Only a clipboard manager read the field; which reads count as the
    // program taking it is PasteSettlingTest's.
    fake.leftClickHook().injectMessage(platform::MouseMessage::LeftButtonUp);
    engine.deliver();
    fake.clipboard().reportRead(777);
    settle();
    EXPECT_EQ(fake.keys().typed, Keys{"^{v}"}) << "no Tab, no Enter, no second paste";
    EXPECT_EQ(selected(FieldSet::OneLine), 0) << "no advance";
    EXPECT_FALSE(engine.deliveryTimer->isActive());
    EXPECT_FALSE(engine.delivering());
    EXPECT_EQ(told, std::vector<std::string>{"the program Tk_form did not take the paste"});
    EXPECT_EQ(fake.clipboard().log.back(), "set:line 0") << "the field stays for a late reader";
    EXPECT_TRUE(engine.lateGiveBackTimer->isActive());
    engine.giveBackLate();
    EXPECT_EQ(fake.clipboard().log.back(), "giveBack");

    fake.keys().typed.clear();
    fake.leftClickHook().injectMessage(platform::MouseMessage::LeftButtonUp);
    engine.deliver();
    fake.clipboard().reportRead(4242);
    settle();
    EXPECT_EQ(fake.keys().typed, (Keys{"^{v}", "{TAB}", "{ENTER}"})) << "the next click delivers as ever";
    EXPECT_EQ(selected(FieldSet::OneLine), 1);
}

TEST_F(PasteDelivery, AReadBeforeTheNewsOfTheKeysCountsAsTakingThePaste)
{
    // A quick program reads the field before the key sender has reported its
    // keys in the program's queue.
    model.autoTab = true;
    fake.keys().holdProcessing = true;
    leftRelease();
    engine.deliver();
    fake.clipboard().reportRead();
    fake.keys().processNext();
    settle();
    EXPECT_EQ(fake.keys().typed, (Keys{"^{v}", "{TAB}"}));
}

TEST_F(PasteDelivery, AClickDuringADeliveryIsDeliveredAfterIt)
{
    fake.keys().holdProcessing = true;
    leftClickAndTick();
    leftRelease();
    engine.deliver(); // the first delivery still waits for its paste
    EXPECT_EQ(fake.keys().typed.size(), 1u);
    EXPECT_TRUE(engine.deliveryTimer->isActive());

    fake.keys().processNext();
    engine.deliver();
    EXPECT_EQ(fake.keys().typed.size(), 1u) << "nor while the program may still read the first";
    pasteTaken();
    engine.deliver();
    EXPECT_EQ(fake.keys().typed, (Keys{"^{v}", "^{v}"}));
}

} // namespace
} // namespace tapfill::test
