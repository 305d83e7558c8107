// Clicks and the paste mode key caught anywhere, as a user makes them.

#include "support/EngineFixture.h"

namespace tapfill::test {
namespace {

using model::FieldSet;
using platform::MouseMessage;

struct ClickCapture : EngineFixture {
    ClickCapture() { model.setText(FieldSet::OneLine, 0, "Jane"); }
};

TEST_F(ClickCapture, LeftReleaseStartsADeliveryOnlyWithClickAcceptanceOnWhateverThePasteMode)
{
    fake.leftClickHook().injectMessage(MouseMessage::LeftButtonUp);
    EXPECT_FALSE(engine.deliveryTimer->isActive());

    acceptClicks();
    fake.leftClickHook().injectMessage(MouseMessage::LeftButtonUp, 0x99, /*ownWindow=*/true);
    EXPECT_FALSE(engine.deliveryTimer->isActive()) << "a click on Tapfill itself is no paste click";
    fake.leftClickHook().injectMessage(MouseMessage::LeftButtonUp, 0x1234);
    EXPECT_TRUE(engine.deliveryTimer->isActive());
    EXPECT_TRUE(fake.keys().typed.empty()) << "nothing is typed before the tick";
    engine.deliver();
    pasteTaken();

    model.setPasteMode(true);
    leftClickAndTick();
    EXPECT_EQ(fake.keys().typed, (std::vector<std::string>{"^{v}", "^{v}"}));
}

TEST_F(ClickCapture, TwoReleasesWithin100msGiveOnePaste)
{
    acceptClicks();
    fake.leftClickHook().injectMessage(MouseMessage::LeftButtonUp);
    fake.leftClickHook().injectMessage(MouseMessage::LeftButtonUp);
    engine.deliver();
    EXPECT_FALSE(engine.deliveryTimer->isActive());
    EXPECT_EQ(fake.keys().typed.size(), 1u);
    EXPECT_EQ(fake.clipboard().text, "Jane");
}

TEST_F(ClickCapture, RightClickIsKeptAndRaisesTheWindowInPasteModeAndAdvancesWithClickAcceptance)
{
    // Paste mode, click acceptance, messages kept from the program, field selected after.
    const std::tuple<bool, bool, int, int> cases[] = {{true, false, 2, 0}, {true, true, 2, 1}, {false, true, 0, 0}};
    for (const auto& [pasteMode, clickAcceptance, kept, after] : cases) {
        model.setPasteMode(pasteMode);
        model.select(FieldSet::OneLine, 0);
        if (clickAcceptance)
            acceptClicks();
        raiseRequests = showRequests = 0;
        fake.rightClickInterceptor().setTargetWindow(0);

        EXPECT_EQ(rightClick(), kept) << "paste mode " << pasteMode << ", acceptance " << clickAcceptance;
        EXPECT_EQ(raiseRequests, kept);
        EXPECT_EQ(showRequests, kept) << "a window put away with HIDE comes back";
        EXPECT_EQ(fake.rightClickInterceptor().targetWindow(), kept ? 0x400001u : 0u);
        EXPECT_EQ(selected(FieldSet::OneLine), after) << "one click, one step";
        EXPECT_EQ(fake.rightClickInterceptor().armed, pasteMode);
    }
}

TEST_F(ClickCapture, ReleaseInsideThe120msPauseStillGivesExactlyOneStepPerClick)
{
    acceptClicks();
    model.setPasteMode(true);

    // First click: the press advances and pauses click acceptance; the
    // release falls into the pause and only clears the pending step.
    fake.rightClickInterceptor().injectMessage(MouseMessage::RightButtonDown);
    EXPECT_EQ(selected(FieldSet::OneLine), 1);
    EXPECT_FALSE(model.clickAcceptance());
    EXPECT_TRUE(engine.acceptanceTimer->isActive());
    fake.rightClickInterceptor().injectMessage(MouseMessage::RightButtonUp);
    engine.resumeClickAcceptance();

    // Second click: the press is the second half of the first step, the release advances.
    fake.rightClickInterceptor().injectMessage(MouseMessage::RightButtonDown);
    EXPECT_EQ(selected(FieldSet::OneLine), 1);
    fake.rightClickInterceptor().injectMessage(MouseMessage::RightButtonUp);
    EXPECT_EQ(selected(FieldSet::OneLine), 2);
}

// That the key switches paste mode on and off again, and with it whether
// right clicks are kept, without showing the window, test_tapfill meets.
TEST_F(ClickCapture, PasteModeKeyLeavesClickAcceptanceAlone)
{
    acceptClicks();
    fake.rightClickHook().injectKey();
    fake.rightClickHook().injectKey();
    EXPECT_FALSE(model.pasteMode());
    EXPECT_TRUE(model.clickAcceptance());
}

} // namespace
} // namespace tapfill::test
