// The advance to the next field: groups, wrap-around and the toggle that
// turns a press and a release into one step.

#include "support/AppFixture.h"

namespace tapfill::test {
namespace {

struct FieldSelection : AppFixture {
    FieldSelection() { form.show(); }
    /// Two calls in a row, as a right click's press and release make them.
    void step()
    {
        engine.AdvanceField();
        engine.AdvanceField();
    }
};

TEST_F(FieldSelection, EveryGroupWrapsFromItsLastButtonToItsFirst)
{
    state.CurrentTab = 0;
    ui::MainWindow::select(form.O1[11]);
    step();
    EXPECT_EQ(selectedIndex(form.O1), 0);

    state.CurrentTab = 1;
    ui::MainWindow::select(form.PERS[9]);
    step();
    EXPECT_EQ(selectedIndex(form.PERS), 0);

    state.CurrentTab = 2;
    const int lastOfPage[] = {4, 8, 12};
    for (std::int16_t page = 0; page < 3; ++page) {
        state.CurrentSubTab = page;
        ui::MainWindow::select(form.Option(lastOfPage[page]));
        step();
        EXPECT_EQ(selectedIndex(form.OptionButtons), 4 * page) << "sub-page " << page;
    }
}

TEST_F(FieldSelection, OptPageAdvancesTheOneLineGroup)
{
    state.CurrentTab = 3;
    ui::MainWindow::select(form.O1[4]);
    step();
    EXPECT_EQ(selectedIndex(form.O1), 5);
}

TEST_F(FieldSelection, TheToggleMakesEverySecondCallANoOp)
{
    state.CurrentTab = 0;
    engine.AdvanceField();
    EXPECT_EQ(selectedIndex(form.O1), 1);
    engine.AdvanceField();
    EXPECT_EQ(selectedIndex(form.O1), 1);
    EXPECT_EQ(state.AdvanceToggle, 0);
    engine.AdvanceField();
    EXPECT_EQ(selectedIndex(form.O1), 2);
}

TEST_F(FieldSelection, NoSelectedButtonSelectsNothingButStillSetsTheToggle)
{
    state.CurrentTab = 1; // activation selected O1(0); no PERS button is on
    engine.AdvanceField();
    EXPECT_EQ(selectedIndex(form.PERS), -1);
    EXPECT_EQ(state.AdvanceToggle, 1);

    // On "MULTI 2" with the selection on "MULTI 1": likewise.
    state.AdvanceToggle = 0;
    state.CurrentTab = 2;
    state.CurrentSubTab = 1;
    ui::MainWindow::select(form.Option(2));
    engine.AdvanceField();
    EXPECT_EQ(selectedIndex(form.OptionButtons), 1);
    EXPECT_EQ(state.AdvanceToggle, 1);
}

TEST_F(FieldSelection, AnUnknownSubPageChangesNothingAtAll)
{
    state.CurrentTab = 2;
    state.CurrentSubTab = 3;
    ui::MainWindow::select(form.Option(1));
    engine.AdvanceField();
    EXPECT_EQ(selectedIndex(form.OptionButtons), 0);
    EXPECT_EQ(state.AdvanceToggle, 0);
}

TEST_F(FieldSelection, TheAdvanceRunsTheButtonsClickHandler)
{
    switchClickAcceptanceOn();
    state.CurrentTab = 0;
    engine.AdvanceField();
    EXPECT_EQ(state.ReadyFlag, 0);
    EXPECT_TRUE(form.Timer2.enabled());
    engine.Timer2_Timer();
    EXPECT_EQ(state.ReadyFlag, 1);
}

} // namespace
} // namespace tapfill::test
