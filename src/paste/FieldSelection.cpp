// Moving the selection to the next field of the page being shown, wrapping
// from the last button to the first. One right click reaches here twice
// (press and release); AdvanceToggle turns that into one step.

#include "paste/PasteEngine.h"

#include "ui/main/MainWindow.h"

#include <QRadioButton>

namespace tapfill::paste {

void PasteEngine::AdvanceField()
{
    if (state_.AdvanceToggle == 1) {
        state_.AdvanceToggle = 0;
        return;
    }
    if (state_.CurrentTab == 1) {
        advanceWithin(form_.PERS);
    } else if (state_.CurrentTab != 2) {
        advanceWithin(form_.O1);
    } else if (state_.CurrentSubTab >= 0 && state_.CurrentSubTab <= 2) {
        // On "MULTI" the advance stays on the sub-page being shown.
        advanceWithin(std::span(form_.OptionButtons).subspan(4 * state_.CurrentSubTab, 4));
    } else {
        return;
    }
    state_.AdvanceToggle = 1;
}

void PasteEngine::advanceWithin(std::span<QRadioButton* const> group)
{
    for (std::size_t i = 0; i < group.size(); ++i) {
        if (group[i]->isChecked()) {
            ui::MainWindow::select(group[(i + 1) % group.size()]);
            return;
        }
    }
}

} // namespace tapfill::paste
