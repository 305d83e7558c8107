// The user's clipboard content around a delivery: kept from the click on,
// given back once the paste is in or the delivery ended without it, once
// for a run of clicks. Where programs.conf wants it neither kept nor given
// back (restoreClipboard = false, or a program whose fields are typed),
// test_clipboard meets it on the real clipboard.

#include "support/EngineFixture.h"

#include <algorithm>

namespace tapfill::test {
namespace {

using model::FieldSet;
using Log = std::vector<std::string>;

struct ClipboardGiveBack : EngineFixture {
    ClipboardGiveBack()
    {
        model.setText(FieldSet::OneLine, 0, "Ann");
        model.select(FieldSet::OneLine, 0);
        acceptClicks();
    }
    void leftRelease() { fake.leftClickHook().injectMessage(platform::MouseMessage::LeftButtonUp); }
    Log& log() { return fake.clipboard().log; }
    long givenBack() { return std::count(log().begin(), log().end(), "giveBack"); }
};

TEST_F(ClipboardGiveBack, TheDeliveryWaitsForTheKeptContentAndGivesItBackAtItsEnd)
{
    model.autoTab = true;
    fake.clipboard().holdKeeping = true;
    fake.keys().holdProcessing = true;
    leftRelease();
    engine.deliver();
    EXPECT_EQ(log(), Log{"keep"}) << "nothing replaces the content before it is kept";
    EXPECT_TRUE(fake.keys().typed.empty());

    fake.clipboard().finishKeeping(); // the delivery goes on at once
    EXPECT_EQ(log(), (Log{"keep", "set:Ann"}));
    fake.keys().processNext(); // Ctrl+V in the target's queue
    fake.clipboard().reportRead();
    EXPECT_EQ(log().back(), "set:Ann") << "not while the target may still be reading";
    EXPECT_EQ(fake.keys().typed.size(), 1u) << "nor Tab";
    settle();
    EXPECT_EQ(fake.keys().typed, (std::vector<std::string>{"^{v}", "{TAB}"}));
    EXPECT_EQ(log().back(), "set:Ann");
    fake.keys().processNext(); // Tab
    EXPECT_EQ(log().back(), "giveBack") << "once the delivery has ended";
}

TEST_F(ClipboardGiveBack, TheFieldStaysUntilTheProgramHasLongStoppedReading)
{
    // A browser may stall for a while in the middle of its reads, or insert
    // the text in another process after them; a change of the clipboard
    // then would drop the paste. Tab may go on, the clipboard may not.
    using namespace std::chrono_literals;
    model.autoTab = true;
    leftRelease();
    engine.deliver();
    fake.clipboard().reportRead();
    now += engine::PasteSettling::QuietAfterRead;
    engine.checkPaste();
    EXPECT_EQ(fake.keys().typed, (std::vector<std::string>{"^{v}", "{TAB}"}));
    EXPECT_FALSE(engine.delivering());
    EXPECT_EQ(log().back(), "set:Ann");
    EXPECT_TRUE(engine.lateGiveBackTimer->isActive());

    now += 500ms; // the rest of the reads, after a stall
    fake.clipboard().reportRead();
    engine.checkPaste();
    EXPECT_EQ(fake.keys().typed.size(), 2u) << "a late read sends nothing again";
    EXPECT_EQ(static_cast<platform::fake::FakeTimerService::FakeTimer&>(*engine.lateGiveBackTimer).startedFor,
              engine::PasteSettling::QuietBeforeChange.count())
        << "the wait runs from the last read";
    EXPECT_EQ(log().back(), "set:Ann");
    now += engine::PasteSettling::QuietBeforeChange;
    engine.giveBackLate();
    EXPECT_EQ(log().back(), "giveBack");

    // A click while the field is held: the user's content stays kept for
    // it and comes back once, after its own paste.
    leftRelease();
    engine.deliver();
    fake.clipboard().reportRead();
    now += engine::PasteSettling::QuietAfterRead;
    engine.checkPaste();
    leftRelease();
    EXPECT_EQ(givenBack(), 1);
    engine.deliver();
    pasteTaken();
    EXPECT_EQ(givenBack(), 2);
    EXPECT_EQ(std::count(log().begin(), log().end(), "keep"), 2);

    // Tapfill ending while a field is held gives the content back at once.
    leftRelease();
    engine.deliver();
    fake.clipboard().reportRead();
    now += engine::PasteSettling::QuietAfterRead;
    engine.checkPaste();
    engine.giveClipboardBackNow();
    EXPECT_EQ(givenBack(), 3);
    EXPECT_FALSE(engine.lateGiveBackTimer->isActive());
}

TEST_F(ClipboardGiveBack, GivenBackOnceWhateverEndsTheDelivery)
{
    // A paste the key sender refused, a delivery dropped after its retries,
    // and a run of two clicks: each gives the content back exactly once,
    // the run only after its last paste.
    fake.keys().failNext = true;
    fake.keys().refusal = "a modifier is stuck";
    leftClickAndTick();
    EXPECT_EQ(givenBack(), 1);

    fake.clipboard().failures = 1000;
    leftRelease();
    while (engine.deliveryTimer->isActive())
        engine.deliver();
    EXPECT_EQ(givenBack(), 2);
    fake.clipboard().failures = 0;

    fake.keys().holdProcessing = true;
    leftClickAndTick();
    leftRelease(); // during the first delivery
    fake.keys().processNext();
    pasteTaken();
    EXPECT_EQ(givenBack(), 2) << "the second paste still needs the clipboard";
    engine.deliver();
    fake.keys().processNext();
    pasteTaken();
    EXPECT_EQ(givenBack(), 3);
    EXPECT_EQ(std::count(log().begin(), log().end(), "keep"), 3);
}

} // namespace
} // namespace tapfill::test
