// The user's clipboard content around a delivery: kept from the click on,
// given back once the paste is in or the delivery ended without it, once
// for a run of clicks, and not at all where the user does not want it.

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
    while (engine.deliveryTimer.isActive())
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

TEST_F(ClipboardGiveBack, NeitherKeptNorGivenBackWhenTheUserSaysNoOrTheFieldIsTyped)
{
    config::ProgramsConfig config;
    config.restoreClipboard = false;
    engine.setProgramsConfig(config);
    leftClickAndTick();
    EXPECT_EQ(log(), Log{"set:Ann"}) << "the field stays on the clipboard";

    config.restoreClipboard = true;
    config.pasteRules["webform"] = config::PasteMethod::Type;
    engine.setProgramsConfig(config);
    fake.keys().focused = {"webform", "WebForm"};
    log().clear();
    engine.resumeClickAcceptance();
    leftClickAndTick();
    EXPECT_EQ(fake.keys().typed.back(), "text:Ann");
    EXPECT_EQ(log(), Log{"keep"}) << "a typed field leaves the clipboard as it is";
}

} // namespace
} // namespace tapfill::test
