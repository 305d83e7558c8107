// The delivery, 100 ms after an accepted left click: the selected field goes
// on the clipboard, Ctrl+V is typed into the focused window, then Tab and
// Enter when the options ask for them, each only after the one before it has
// been processed, then the advance to the next field.
//
// A delivery that fails before Ctrl+V went out is tried again at the next
// tick, for about two seconds. Once Ctrl+V has gone out the delivery ends
// whatever happens after it, so no text is ever typed twice.

#include "paste/PasteEngine.h"

#include "ui/main/MainWindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace tapfill::paste {

void PasteEngine::Timer1_Timer()
{
    // The last delivery is still waiting for its keys to be processed; this
    // click's delivery follows at a later tick.
    if (delivering_)
        return;
    form_.Timer1.setEnabled(false);

    if (!CopySelectedField()) {
        retryDeliveryLater();
        return;
    }
    delivering_ = true;
    platform_.keys->send("^{v}", [this](bool typed) {
        if (!typed) {
            delivering_ = false;
            retryDeliveryLater();
            return;
        }
        failedAttempts_ = 0;
        afterPaste();
    });
}

void PasteEngine::retryDeliveryLater()
{
    if (++failedAttempts_ >= MaxDeliveryAttempts) {
        failedAttempts_ = 0;
        form_.Timer1.setEnabled(false);
        return;
    }
    form_.Timer1.setEnabled(true);
}

void PasteEngine::afterPaste()
{
    sendIfChecked(form_.AUT->isChecked(), "{TAB}", [this] {
        sendIfChecked(form_.AUT2->isChecked(), "{ENTER}", [this] { finishDelivery(); });
    });
}

void PasteEngine::sendIfChecked(bool checked, const char* keys, std::function<void()> next)
{
    if (!checked) {
        next();
        return;
    }
    platform_.keys->send(keys, [this, next = std::move(next)](bool typed) {
        if (typed)
            next();
        else
            delivering_ = false; // the paste is in; what failed after it is not repeated
    });
}

void PasteEngine::finishDelivery()
{
    if (form_.AUT3->isChecked() && state_.ReadyFlag == 1) {
        state_.AdvanceToggle = 0; // an automatic advance always moves
        AdvanceField();
    }
    delivering_ = false;
}

bool PasteEngine::CopySelectedField()
{
    if (!platform_.clipboard->clear())
        return false;

    if (state_.CurrentTab == 1) {
        for (int i = 0; i < PersonalSlots; ++i)
            if (form_.PERS[i]->isChecked())
                return platform_.clipboard->setText(state_.PersonalData[i]);
    } else if (state_.CurrentTab == 2) {
        for (int k = 1; k <= MultiLineFields; ++k)
            if (form_.Option(k)->isChecked())
                return platform_.clipboard->setText(form_.ML[k - 1]->toPlainText().toStdString());
    } else {
        for (int i = 0; i < OneLineFields; ++i)
            if (form_.O1[i]->isChecked())
                return platform_.clipboard->setText(form_.I[i]->text().toStdString());
    }
    return true; // nothing selected: the clipboard stays empty
}

} // namespace tapfill::paste
