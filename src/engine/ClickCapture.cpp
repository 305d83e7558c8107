// Clicks and the paste mode key caught anywhere on the desktop. What each
// gesture does depends on the two modes:
//
//   left release   click acceptance   the delivery starts 100 ms later; the click passes
//   right click    paste mode         kept from its program; main window shown on top;
//                                     with click acceptance also one advance
//   paste mode key always             paste mode on or off

#include "engine/PasteEngine.h"

namespace tapfill::engine {

using platform::MouseMessage;

PasteEngine::PasteEngine(model::AppModel& model, platform::PasteServices& platform)
    : model_(model), platform_(platform)
{
    using Kind = platform::TimerService::Kind;
    deliveryTimer = platform_.timers->makeTimer(Kind::Repeating, [this] { deliver(); });
    acceptanceTimer = platform_.timers->makeTimer(Kind::OneShot, [this] { resumeClickAcceptance(); });
    settleTimer = platform_.timers->makeTimer(Kind::OneShot, [this] { checkPaste(); });
    lateGiveBackTimer = platform_.timers->makeTimer(Kind::OneShot, [this] { giveBackLate(); });
    platform_.clipboard->onTextRead = [this](const platform::ClipboardRead& read) { onTextRead(read); };

    platform_.rightClickHook->watch({MouseMessage::RightButtonDown, MouseMessage::RightButtonUp},
                                    platform::WatchedKey::PasteModeKey);
    platform_.leftClickHook->watch({MouseMessage::LeftButtonUp}, platform::WatchedKey::None);
    platform_.rightClickInterceptor->watch({MouseMessage::RightButtonDown, MouseMessage::RightButtonUp});

    platform_.rightClickHook->onMouse = [this](const auto& message) { onRightButtonSeen(message.window); };
    platform_.rightClickHook->onKey = [this] { togglePasteMode(); };
    platform_.leftClickHook->onMouse = [this](const auto& message) { onLeftButtonReleased(message); };
    platform_.rightClickInterceptor->onIntercepted = [this](MouseMessage, bool& keep) {
        onRightButtonIntercepted(keep);
    };

    // Right clicks can only be kept from other programs if interception is
    // in place before they happen, so it follows paste mode.
    modelConnections_.push_back(
        model_.pasteModeChanged.connect([this](bool on) { platform_.rightClickInterceptor->setArmed(on); }));
    // Left releases matter only while they are paste clicks.
    modelConnections_.push_back(model_.clickAcceptanceChanged.connect(
        [this](bool on) { platform_.leftClickHook->setMouseReportsWanted(on); }));
    // Every choice of a field pauses click acceptance: the click that chose
    // it must not count as a paste click.
    // The advance after a paste chooses no field by a click, and comes
    // only once the program is done with the paste: a pause then would
    // swallow the user's click into the next box.
    modelConnections_.push_back(model_.fieldSelected.connect([this](model::FieldSet, int) {
        if (!advancingAfterPaste_)
            pauseClickAcceptance();
    }));
}

void PasteEngine::onRightButtonSeen(platform::WindowId window)
{
    if (model_.pasteMode()) {
        platform_.rightClickInterceptor->setTargetWindow(window);
        showWindowRequested.notify(); // it may have been put away with HIDE
    }
}

void PasteEngine::onRightButtonIntercepted(bool& keep)
{
    // Both the press and the release come here; skipNextAdvance_ makes them one step.
    if (model_.pasteMode()) {
        keep = true;
        raiseWindowRequested.notify();
        if (model_.clickAcceptance())
            advance();
    }
}

void PasteEngine::onLeftButtonReleased(const platform::HookedMessage& message)
{
    // A click on Tapfill's own window or tray icon chooses something in
    // Tapfill; pasting into it would be a surprise.
    if (message.ownWindow)
        return;
    // A click while the last paste is still being taken: the user has
    // chosen the next place, where a Tab or Enter still to come would go.
    if (model_.clickAcceptance() && delivering_)
        userMovedOn_ = true;
    if (model_.clickAcceptance() && !deliveryTimer->isActive()) {
        deliveryTimer->start(DeliveryDelayMs);
        keepClipboard();
    }
}

} // namespace tapfill::engine
