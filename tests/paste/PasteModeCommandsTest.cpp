// PASTE, SUSPEND and the 120 ms re-arm of click acceptance.

#include "support/AppFixture.h"

namespace tapfill::test {
namespace {

struct PasteModeCommands : AppFixture {
    PasteModeCommands() { form.show(); }
    bool showsActive() const
    {
        return form.Image2->isVisibleTo(&form) && !form.Image1->isVisibleTo(&form);
    }
};

TEST_F(PasteModeCommands, PasteArmsClickAcceptanceAtTheNextTickAndDisarmsAtOnce)
{
    form.Command2->click();
    EXPECT_EQ(state.ReadyFlag, 0) << "not before the 120 ms";
    EXPECT_TRUE(form.Timer2.enabled());
    EXPECT_TRUE(showsActive());
    EXPECT_TRUE(form.Label1->isVisibleTo(&form));
    form.Command2->click(); // twice within the 120 ms still arms
    EXPECT_TRUE(showsActive());

    engine.Timer2_Timer();
    EXPECT_EQ(state.ReadyFlag, 1);
    EXPECT_FALSE(form.Timer2.enabled());

    form.Command2->click();
    EXPECT_EQ(state.ReadyFlag, 0);
    EXPECT_FALSE(form.Timer2.enabled());
    EXPECT_FALSE(showsActive());
    EXPECT_FALSE(form.Label1->isVisibleTo(&form));
    EXPECT_EQ(state.ActiveFlag, 0) << "PASTE leaves paste mode alone";
}

TEST_F(PasteModeCommands, FieldButtonClickPausesOnlyWhileClickAcceptanceIsOn)
{
    form.O1[2]->click();
    EXPECT_FALSE(form.Timer2.enabled()) << "off stays off";

    switchClickAcceptanceOn();
    form.O1[3]->click();
    EXPECT_EQ(state.ReadyFlag, 0);
    EXPECT_TRUE(form.Timer2.enabled());
    form.Option(7)->click();
    EXPECT_TRUE(form.Timer2.enabled());
    engine.Timer2_Timer();
    EXPECT_EQ(state.ReadyFlag, 1);
}

TEST_F(PasteModeCommands, SuspendSwitchesEverythingOffAndPutsTheWindowAway)
{
    switchClickAcceptanceOn();
    fake.winHook1().injectKey(); // paste mode on
    form.Command4->click();
    EXPECT_EQ(state.ActiveFlag, 0);
    EXPECT_EQ(state.ReadyFlag, 0);
    EXPECT_FALSE(fake.subClass1().armed);
    EXPECT_FALSE(showsActive());
    EXPECT_EQ(fake.tray().shownTip(), "Double Click To Start Tapfill");
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.Label1->isVisibleTo(&form)) << "SUSPEND leaves the instructions as they were";
}

} // namespace
} // namespace tapfill::test
