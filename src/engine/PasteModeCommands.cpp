// PASTE switches click acceptance on (after the acceptance delay) and off;
// SUSPEND and HIDE put the window away; the paste mode key and the tray
// icon switch paste mode.

#include "engine/PasteEngine.h"

namespace tapfill::engine {

void PasteEngine::togglePaste()
{
    if (!model_.clickAcceptance()) {
        if (!acceptanceTimer->isActive())
            acceptanceTimer->start(AcceptanceDelayMs);
        model_.setShowsActivePicture(true);
        model_.setShowsPasteInstructions(true);
    } else {
        model_.setClickAcceptance(false);
        model_.setShowsActivePicture(false);
        model_.setShowsPasteInstructions(false);
    }
}

void PasteEngine::suspend()
{
    model_.setPasteMode(false);
    model_.setClickAcceptance(false);
    model_.setShowsActivePicture(false);
    hideWindowRequested.notify();
}

void PasteEngine::hideWindow()
{
    model_.setClickAcceptance(false);
    model_.setShowsActivePicture(false);
    hideWindowRequested.notify();
}

void PasteEngine::togglePasteMode()
{
    model_.setPasteMode(!model_.pasteMode());
}

void PasteEngine::togglePasteModeWithWindow()
{
    if (model_.pasteMode()) {
        suspend();
    } else {
        model_.setPasteMode(true);
        platform_.rightClickInterceptor->setTargetWindow(0);
        showWindowRequested.notify();
        raiseWindowRequested.notify();
    }
}

void PasteEngine::pauseClickAcceptance()
{
    if (model_.clickAcceptance()) {
        model_.setClickAcceptance(false);
        if (!acceptanceTimer->isActive())
            acceptanceTimer->start(AcceptanceDelayMs);
    }
}

void PasteEngine::resumeClickAcceptance()
{
    model_.setClickAcceptance(true);
    acceptanceTimer->stop();
}

} // namespace tapfill::engine
