// The delivery, 100 ms after an accepted left click: the selected field goes
// on the clipboard and the focused program's paste keys are typed (Ctrl+V,
// Ctrl+Shift+V in terminals, as programs.conf says), or, for programs that
// cannot paste, the field is typed key by key and the clipboard left alone.
// Then Tab and Enter when the options ask for them, each only after the one
// before it has been processed, then the advance to the next field. A
// click into another place before Tab and Enter went out drops them: they
// would land where the user just clicked.
//
// After the paste keys the delivery waits until the program is done
// reading the field from the clipboard (PasteSettling says when): Tab,
// Enter, the user's clipboard content and the next field all come after
// that, so none of them overtakes the paste. A program that never asks
// for the field did not take the paste: its keys went out, so it is not
// tried again, and an Enter after it would submit whatever the box held
// before; the delivery stops and the user is told.
//
// A delivery that fails before anything went out is tried again at the next
// tick, for about two seconds. One the key sender refused, because it
// could not be sure of the keys (a modifier held down, a key the layout
// lacks), stops at once and the user is told. Once the paste has gone out
// the delivery ends whatever happens after it, so no text is ever typed
// twice.
//
// The user's own clipboard content is kept from the click on and given back
// once the delivery has ended and the program has long stopped reading the
// field, with or without the paste (unless
// programs.conf says restoreClipboard = false). Keeping it is bounded in
// time by the clipboard, so the delivery never waits long.

#include "engine/PasteEngine.h"

#include <algorithm>
#include <chrono>

namespace tapfill::engine {

using model::FieldSet;

void PasteEngine::deliver()
{
    // The last delivery is still waiting for its keys to be processed; this
    // click's delivery follows at a later tick.
    if (delivering_)
        return;
    deliveryTimer->stop();

    userMovedOn_ = false;
    lateGiveBackTimer->stop(); // this delivery gives the user's content back
    pasteTarget_ = platform_.keys->focusedProgram();
    const platform::ProgramName& program = pasteTarget_;
    const config::PasteMethod method = config_.pasteMethodFor(program.instance, program.wmClass);
    auto typed = [this](const platform::SendResult& result) { onPasteTyped(result); };
    if (method == config::PasteMethod::Type) {
        const FieldSet set = model::AppModel::pastedSet(model_.page());
        const int selected = model_.selectedIndex(set);
        delivering_ = true;
        pasteExpected_ = false;
        keepingClipboard_ = waitingForClipboard_ = false; // left alone
        platform_.keys->typeText(selected < 0 ? std::string() : model_.text(set, selected), typed);
        return;
    }
    if (keepingClipboard_ && !clipboardKept_) {
        waitingForClipboard_ = true;
        return;
    }
    if (!copySelectedField()) {
        retryDeliveryLater();
        return;
    }
    delivering_ = true;
    // With nothing selected the clipboard is empty: no one will ask.
    pasteExpected_ = model_.selectedIndex(model::AppModel::pastedSet(model_.page())) >= 0;
    if (pasteExpected_)
        pasteSettling_.start(program.processId);
    platform_.keys->send(pasteKeys(method), typed);
}

void PasteEngine::onPasteTyped(const platform::SendResult& result)
{
    if (!result.typed()) {
        pasteSettling_.stop();
        delivering_ = false;
        if (result.reason.empty()) {
            retryDeliveryLater();
            return;
        }
        stopDelivery(result.reason);
        return;
    }
    failedAttempts_ = 0;
    if (!pasteExpected_) {
        afterPaste();
        return;
    }
    pasteSettling_.keysIn(clock());
    scheduleSettleCheck();
}

void PasteEngine::onTextRead(const platform::ClipboardRead& read)
{
    // A read before the news of the keys counts too: a quick program asks
    // for the field before the key sender has heard its keys are in.
    if (!pasteSettling_.watching())
        return;
    const bool wentOn = pasteSettling_.wentOn();
    pasteSettling_.onRead(clock(), read);
    if (!wentOn)
        scheduleSettleCheck();
    else if (lateGiveBackTimer->isActive())
        giveClipboardBackWhenQuiet(); // still reading: the field stays longer
}

void PasteEngine::scheduleSettleCheck()
{
    if (pasteSettling_.decidedAt() == PasteSettling::Clock::time_point::max())
        return; // not before the keys are in
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(pasteSettling_.decidedAt() - clock());
    settleTimer->start(static_cast<int>(std::max<long long>(left.count(), 0)));
}

void PasteEngine::checkPaste()
{
    if (pasteSettling_.wentOn())
        return; // gone on already
    switch (pasteSettling_.state(clock())) {
    case PasteSettling::State::Idle:
        return;
    case PasteSettling::State::Waiting:
        scheduleSettleCheck();
        return;
    case PasteSettling::State::Done:
        pasteSettling_.goOn();
        afterPaste();
        return;
    case PasteSettling::State::NotTaken: {
        // The field stays on the clipboard a while: a program that asks
        // late pastes the field, not the user's old content.
        pasteSettling_.stop();
        delivering_ = false;
        failedAttempts_ = 0;
        deliveryTimer->stop();
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(pasteSettling_.longestWaitEnds() - clock());
        lateGiveBackTimer->start(static_cast<int>(std::max<long long>(left.count(), 0)));
        const std::string& name = !pasteTarget_.wmClass.empty() ? pasteTarget_.wmClass : pasteTarget_.instance;
        deliveryStopped.notify(name.empty() ? "the program did not take the paste"
                                            : "the program " + name + " did not take the paste");
        return;
    }
    }
}

void PasteEngine::giveBackLate()
{
    if (delivering_)
        return; // the next delivery gives it back
    pasteSettling_.stop();
    giveClipboardBack();
}

void PasteEngine::giveClipboardBackNow()
{
    deliveryTimer->stop();
    lateGiveBackTimer->stop();
    pasteSettling_.stop();
    delivering_ = false;
    giveClipboardBack();
}

void PasteEngine::giveClipboardBackWhenQuiet()
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(pasteSettling_.clipboardFreeAt() - clock());
    if (!keepingClipboard_ || !pasteSettling_.wentOn() || left.count() <= 0) {
        pasteSettling_.stop();
        giveClipboardBack();
        return;
    }
    lateGiveBackTimer->start(static_cast<int>(left.count()));
}

void PasteEngine::stopDelivery(const std::string& reason)
{
    failedAttempts_ = 0;
    deliveryTimer->stop();
    giveClipboardBack();
    deliveryStopped.notify(reason);
}

void PasteEngine::keepClipboard()
{
    if (!config_.restoreClipboard || keepingClipboard_)
        return; // a delivery still due keeps what was kept for it
    keepingClipboard_ = true;
    clipboardKept_ = false;
    platform_.clipboard->keep([this, run = ++keepRun_] {
        if (run != keepRun_)
            return; // an earlier delivery's, which no longer waits
        clipboardKept_ = true;
        if (waitingForClipboard_) {
            waitingForClipboard_ = false;
            deliver();
        }
    });
}

void PasteEngine::giveClipboardBack()
{
    // Another click's delivery is due: it puts a field there again, and
    // gives the user's content back after its own paste.
    if (!keepingClipboard_ || deliveryTimer->isActive())
        return;
    lateGiveBackTimer->stop();
    keepingClipboard_ = false;
    waitingForClipboard_ = false;
    platform_.clipboard->giveBack();
}

const char* PasteEngine::pasteKeys(config::PasteMethod method)
{
    switch (method) {
    case config::PasteMethod::CtrlShiftV: return "^+{v}";
    case config::PasteMethod::ShiftInsert: return "+{INSERT}";
    default: return "^{v}";
    }
}

void PasteEngine::setProgramsConfig(const config::ProgramsConfig& config)
{
    config_ = config;
    const auto& key = config_.pasteModeKey;
    platform_.rightClickHook->setPasteModeKey(
        platform::KeyChord{key.keysym, key.ctrl, key.alt, key.shift, key.super});
}

void PasteEngine::retryDeliveryLater()
{
    if (++failedAttempts_ >= MaxDeliveryAttempts) {
        failedAttempts_ = 0;
        deliveryTimer->stop();
        giveClipboardBack();
        return;
    }
    if (!deliveryTimer->isActive())
        deliveryTimer->start(DeliveryDelayMs);
}

void PasteEngine::afterPaste()
{
    sendIf(model_.autoTab && !userMovedOn_, "{TAB}", [this] {
        sendIf(model_.autoEnter && !userMovedOn_, "{ENTER}", [this] { finishDelivery(); });
    });
}

void PasteEngine::sendIf(bool wanted, const char* keys, std::function<void()> next)
{
    if (!wanted) {
        next();
        return;
    }
    platform_.keys->send(keys, [this, next = std::move(next)](const platform::SendResult& result) {
        if (result.typed()) {
            next();
            return;
        }
        delivering_ = false; // the paste is in; what failed after it is not repeated
        giveClipboardBackWhenQuiet();
        if (!result.reason.empty())
            deliveryStopped.notify(result.reason);
    });
}

void PasteEngine::finishDelivery()
{
    if (model_.autoAdvance && model_.clickAcceptance()) {
        skipNextAdvance_ = false; // an automatic advance always moves
        advancingAfterPaste_ = true;
        advance();
        advancingAfterPaste_ = false;
    }
    delivering_ = false;
    // Last, so that whoever sees the user's content back knows the
    // delivery has ended.
    giveClipboardBackWhenQuiet();
}

bool PasteEngine::copySelectedField()
{
    const FieldSet set = model::AppModel::pastedSet(model_.page());
    const int selected = model_.selectedIndex(set);
    // Straight from the user's content to the field: a clipboard emptied
    // on the way would be news to every clipboard manager.
    if (selected < 0)
        return platform_.clipboard->clear(); // nothing selected: nothing is pasted
    return platform_.clipboard->setText(model_.text(set, selected));
}

} // namespace tapfill::engine
