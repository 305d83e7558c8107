// PASTE, SUSPEND, HIDE, the tray's double click and the 120 ms pause of
// click acceptance.

#include "support/EngineFixture.h"

namespace tapfill::test {
namespace {

using model::FieldSet;
using PasteModeCommands = EngineFixture;

TEST_F(PasteModeCommands, PasteArmsClickAcceptanceAtTheNextTickAndDisarmsAtOnce)
{
    engine.togglePaste();
    EXPECT_FALSE(model.clickAcceptance()) << "not before the 120 ms";
    EXPECT_TRUE(engine.acceptanceTimer->isActive());
    EXPECT_TRUE(model.showsActivePicture());
    EXPECT_TRUE(model.showsPasteInstructions());
    engine.togglePaste(); // twice within the 120 ms still arms
    EXPECT_TRUE(model.showsActivePicture());

    engine.resumeClickAcceptance();
    EXPECT_TRUE(model.clickAcceptance());
    EXPECT_FALSE(engine.acceptanceTimer->isActive());

    engine.togglePaste();
    EXPECT_FALSE(model.clickAcceptance());
    EXPECT_FALSE(engine.acceptanceTimer->isActive());
    EXPECT_FALSE(model.showsActivePicture());
    EXPECT_FALSE(model.showsPasteInstructions());
    EXPECT_FALSE(model.pasteMode()) << "PASTE leaves paste mode alone";
}

TEST_F(PasteModeCommands, ChoosingAFieldPausesOnlyWhileClickAcceptanceIsOn)
{
    model.select(FieldSet::OneLine, 2);
    EXPECT_FALSE(engine.acceptanceTimer->isActive()) << "off stays off";

    acceptClicks();
    model.select(FieldSet::OneLine, 2); // the field already selected counts too
    EXPECT_FALSE(model.clickAcceptance());
    EXPECT_TRUE(engine.acceptanceTimer->isActive());
    model.select(FieldSet::MultiLine, 6);
    EXPECT_TRUE(engine.acceptanceTimer->isActive());
    engine.resumeClickAcceptance();
    EXPECT_TRUE(model.clickAcceptance());
}

TEST_F(PasteModeCommands, SuspendAndHideSwitchOffAndPutTheWindowAway)
{
    acceptClicks();
    fake.rightClickHook().injectKey(); // paste mode on
    engine.hideWindow();
    EXPECT_FALSE(model.clickAcceptance());
    EXPECT_TRUE(model.pasteMode()) << "HIDE keeps paste mode";
    EXPECT_EQ(hideRequests, 1);

    acceptClicks();
    engine.suspend();
    EXPECT_FALSE(model.pasteMode());
    EXPECT_FALSE(model.clickAcceptance());
    EXPECT_FALSE(fake.rightClickInterceptor().armed);
    EXPECT_FALSE(model.showsActivePicture());
    EXPECT_TRUE(model.showsPasteInstructions()) << "SUSPEND leaves the instructions as they were";
    EXPECT_EQ(hideRequests, 2);
}

TEST_F(PasteModeCommands, TrayDoubleClickSwitchesPasteModeWithTheWindow)
{
    acceptClicks();
    fake.rightClickInterceptor().setTargetWindow(0x77);

    // The window shown on top and put away again, and the icon's look, are
    // met in test_tapfill's tray test.
    engine.togglePasteModeWithWindow();
    EXPECT_TRUE(fake.rightClickInterceptor().armed);
    EXPECT_EQ(fake.rightClickInterceptor().targetWindow(), 0u);
    EXPECT_TRUE(model.clickAcceptance());

    engine.togglePasteModeWithWindow();
    EXPECT_FALSE(model.clickAcceptance());
    EXPECT_FALSE(fake.rightClickInterceptor().armed);
}

} // namespace
} // namespace tapfill::test
