// The advance to the next field: groups, wrap-around, and pages without a
// selection of their own.

#include "support/AppFixture.h"

namespace tapfill::test {
namespace {

struct FieldSelection : AppFixture {
    FieldSelection() { form.show(); }
    void onPage(std::int16_t tab, std::int16_t subTab = 0)
    {
        state.CurrentTab = tab;
        state.CurrentSubTab = subTab;
    }
};

TEST_F(FieldSelection, EveryGroupWrapsFromItsLastButtonToItsFirst)
{
    // Page, sub-page, the button selected, its group, the one selected after.
    const std::tuple<std::int16_t, std::int16_t, QRadioButton*, std::span<QRadioButton* const>, int> cases[] = {
        {0, 0, form.O1[11], form.O1, 0},
        {3, 0, form.O1[4], form.O1, 5}, // "OPT." advances the one-line group
        {1, 0, form.PERS[9], form.PERS, 0},
        {2, 0, form.Option(4), form.OptionButtons, 0},
        {2, 1, form.Option(8), form.OptionButtons, 4},
        {2, 2, form.Option(12), form.OptionButtons, 8},
    };
    for (const auto& [tab, subTab, from, group, expected] : cases) {
        onPage(tab, subTab);
        ui::MainWindow::select(from);
        engine.AdvanceField(); // a right click's press and release: one step
        engine.AdvanceField();
        EXPECT_EQ(selectedIndex(group), expected) << "page " << tab << '/' << subTab;
    }
}

TEST_F(FieldSelection, WithoutASelectionOnThePageNothingMoves)
{
    onPage(1); // activation selected O1(0); no PERS button is on
    engine.AdvanceField();
    EXPECT_EQ(selectedIndex(form.PERS), -1);
    EXPECT_EQ(state.AdvanceToggle, 1) << "the toggle is still set";

    // "MULTI 2" with the selection on "MULTI 1" likewise; an unknown
    // sub-page changes nothing at all.
    for (const auto& [subTab, toggle] : {std::pair<std::int16_t, int>{1, 1}, {3, 0}}) {
        state.AdvanceToggle = 0;
        onPage(2, subTab);
        ui::MainWindow::select(form.Option(2));
        engine.AdvanceField();
        EXPECT_EQ(selectedIndex(form.OptionButtons), 1);
        EXPECT_EQ(state.AdvanceToggle, toggle) << "sub-page " << subTab;
    }
}

} // namespace
} // namespace tapfill::test
