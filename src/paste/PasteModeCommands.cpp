// PASTE switches click acceptance on (120 ms later, when Timer2 ticks) and
// off; SUSPEND switches everything off and puts the window away.

#include "paste/PasteEngine.h"

#include "ui/main/MainWindow.h"

#include <QLabel>

namespace tapfill::paste {

void PasteEngine::Command2_Click()
{
    if (state_.ReadyFlag == 0) {
        form_.Timer2.setEnabled(true);
        form_.Image2->show();
        form_.Image1->hide();
        form_.Label1->show();
    } else {
        state_.ReadyFlag = 0;
        form_.Image1->show();
        form_.Image2->hide();
        form_.Label1->hide();
    }
}

void PasteEngine::Command4_Click()
{
    form_.setActiveFlag(0);
    state_.ReadyFlag = 0;
    form_.Image2->hide();
    form_.Image1->show();
    form_.TraySetIdle();
    form_.hide();
}

void PasteEngine::Timer2_Timer()
{
    state_.ReadyFlag = 1;
    form_.Timer2.setEnabled(false);
}

} // namespace tapfill::paste
