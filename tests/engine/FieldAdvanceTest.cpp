// The advance to the next field: sets, wrap-around, inner pages, and pages
// without a selection of their own. (That a personal choice clears the
// one-line one is met through the buttons in MainWindowLayoutTest and
// PasteDeliveryTest.)

#include "support/EngineFixture.h"

namespace tapfill::test {
namespace {

using model::FieldSet;
using model::Page;

using FieldAdvance = EngineFixture;

TEST_F(FieldAdvance, EverySetWrapsFromItsLastFieldToItsFirst)
{
    // Page, inner page, the set, the field selected, the one selected after.
    const std::tuple<Page, int, FieldSet, int, int> cases[] = {
        {Page::OneLine, 0, FieldSet::OneLine, 11, 0},
        {Page::Options, 0, FieldSet::OneLine, 4, 5}, // "OPT." advances the one-line set
        {Page::Personal, 0, FieldSet::Personal, 9, 0},
        {Page::MultiLine, 0, FieldSet::MultiLine, 3, 0},
        {Page::MultiLine, 1, FieldSet::MultiLine, 7, 4},
        {Page::MultiLine, 2, FieldSet::MultiLine, 11, 8},
    };
    for (const auto& [page, inner, set, from, after] : cases) {
        model.setPages(page, inner);
        model.select(set, from);
        engine.advance(); // a right click's press and release: one step
        engine.advance();
        EXPECT_EQ(selected(set), after) << "page " << int(page) << '/' << inner;
    }
}

TEST_F(FieldAdvance, WithoutASelectionOnThePageNothingMoves)
{
    model.setPages(Page::Personal, 0); // the one-line field is selected, no personal one
    model.select(FieldSet::Personal, 10); // out of range: ignored
    engine.advance();
    EXPECT_EQ(selected(FieldSet::Personal), -1);
    EXPECT_EQ(selected(FieldSet::OneLine), 0);

    // "MULTI 2" with the selection on "MULTI 1" likewise.
    model.setPages(Page::MultiLine, 1);
    model.select(FieldSet::MultiLine, 1);
    engine.advance(); // the second half of the step above
    engine.advance();
    EXPECT_EQ(selected(FieldSet::MultiLine), 1);
}

} // namespace
} // namespace tapfill::test
