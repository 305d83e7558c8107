// The delivery, 100 ms after an accepted left click: the selected field goes
// on the clipboard, Ctrl+V is typed into the focused window, then Tab and
// Enter when the options ask for them, each only after the one before it has
// been processed, then the advance to the next field.
//
// A delivery that fails before Ctrl+V went out is tried again at the next
// tick, for about two seconds. Once Ctrl+V has gone out the delivery ends
// whatever happens after it, so no text is ever typed twice.

#include "engine/PasteEngine.h"

namespace tapfill::engine {

using model::FieldSet;

void PasteEngine::deliver()
{
    // The last delivery is still waiting for its keys to be processed; this
    // click's delivery follows at a later tick.
    if (delivering_)
        return;
    deliveryTimer.stop();

    if (!copySelectedField()) {
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
        deliveryTimer.stop();
        return;
    }
    if (!deliveryTimer.isActive())
        deliveryTimer.start();
}

void PasteEngine::afterPaste()
{
    sendIf(model_.autoTab, "{TAB}", [this] {
        sendIf(model_.autoEnter, "{ENTER}", [this] { finishDelivery(); });
    });
}

void PasteEngine::sendIf(bool wanted, const char* keys, std::function<void()> next)
{
    if (!wanted) {
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
    if (model_.autoAdvance && model_.clickAcceptance()) {
        skipNextAdvance_ = false; // an automatic advance always moves
        advance();
    }
    delivering_ = false;
}

bool PasteEngine::copySelectedField()
{
    if (!platform_.clipboard->clear())
        return false;
    const FieldSet set = model::AppModel::pastedSet(model_.page());
    const int selected = model_.selectedIndex(set);
    if (selected < 0)
        return true; // nothing selected: the clipboard stays empty
    return platform_.clipboard->setText(model_.text(set, selected));
}

} // namespace tapfill::engine
