#pragma once
// The paste engine: left clicks, right clicks and the paste mode key caught
// anywhere on the desktop, the delivery of the selected field by clipboard
// and keystrokes, the advance to the next field, and the commands that
// switch click acceptance and paste mode. It works on the model and the
// platform services and knows no widget; the windows follow its requests.

#include "config/ProgramsConfig.h"
#include "engine/PasteSettling.h"
#include "model/AppModel.h"
#include "model/Signal.h"
#include "platform/PasteServices.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tapfill::engine {

class PasteEngine {
public:
    PasteEngine(model::AppModel& model, platform::PasteServices& platform);
    PasteEngine(const PasteEngine&) = delete;
    PasteEngine& operator=(const PasteEngine&) = delete;

    /// The paste comes this long after the left click that asked for it, so
    /// that the clicked program has put its caret into the box.
    static constexpr int DeliveryDelayMs = 100;
    /// Click acceptance comes back this long after it was paused, so that
    /// the click that chose a field or a page never counts as a paste click.
    static constexpr int AcceptanceDelayMs = 120;
    /// A delivery that keeps failing before anything was typed is retried
    /// at every delivery tick for about two seconds, then dropped: a paste
    /// much later would land in whatever window has the focus by then.
    static constexpr int MaxDeliveryAttempts = 20;

    // ---- commands ---------------------------------------------------------------
    /// PASTE: click acceptance on (after the acceptance delay) or off.
    void togglePaste();
    /// SUSPEND: click acceptance and paste mode off, window put away.
    void suspend();
    /// HIDE: click acceptance off, window put away; paste mode stays.
    void hideWindow();
    /// The paste mode key: paste mode on or off, nothing else.
    void togglePasteMode();
    /// The tray icon's double click: paste mode with the window shown on
    /// top, or everything off and the window put away.
    void togglePasteModeWithWindow();
    /// Click acceptance off for the acceptance delay (on stays off when it was off).
    void pauseClickAcceptance();
    /// One step to the next field of the page being shown, wrapping round.
    void advance();

    // ---- the desktop's clicks ---------------------------------------------------
    /// A right click's press or release, seen anywhere.
    void onRightButtonSeen(platform::WindowId window);
    /// A right button message that interception holds back; `keep` keeps it
    /// from its window.
    void onRightButtonIntercepted(bool& keep);
    /// A left button release, seen anywhere.
    void onLeftButtonReleased(const platform::HookedMessage& message);

    // ---- delivery ---------------------------------------------------------------
    /// The delivery timer's tick: paste now.
    void deliver();
    /// Puts the selected field of the page being shown on the clipboard
    /// (empties it when no field is selected). False when the clipboard failed.
    bool copySelectedField();
    /// A delivery has typed its paste and is still sending Tab or Enter.
    bool delivering() const { return delivering_; }
    /// The acceptance timer's tick: click acceptance on.
    void resumeClickAcceptance();
    /// The settle timer's tick: whether the program is done taking the paste.
    void checkPaste();
    /// The late give-back's tick: the field has stayed long enough.
    void giveBackLate();
    /// Tapfill is ending: no more deliveries, and the user's clipboard
    /// content back now, not when the last program has stopped reading.
    void giveClipboardBackNow();

    /// The user's per-program settings: the paste keys of each program and
    /// the paste mode key. Applies from the next delivery on.
    void setProgramsConfig(const config::ProgramsConfig& config);
    const config::ProgramsConfig& programsConfig() const { return config_; }
    /// The key sequence that makes a program paste by `method` (not Type).
    static const char* pasteKeys(config::PasteMethod method);

    /// Ticks every delivery delay from an accepted click until a delivery
    /// has gone out or is dropped.
    std::unique_ptr<platform::Timer> deliveryTimer;
    /// Ticks once, the acceptance delay after click acceptance was paused.
    std::unique_ptr<platform::Timer> acceptanceTimer;
    /// Ticks when the paste being watched may have been taken, or not.
    std::unique_ptr<platform::Timer> settleTimer;
    /// Ticks when the field of a paste that was not taken may leave.
    std::unique_ptr<platform::Timer> lateGiveBackTimer;
    /// The time the paste is watched by; tests set their own.
    std::function<PasteSettling::Clock::time_point()> clock = [] { return PasteSettling::Clock::now(); };

    // ---- requests to the windows ----------------------------------------------
    /// The main window should be shown, shown on top, or put away.
    model::Signal<> showWindowRequested;
    model::Signal<> raiseWindowRequested;
    model::Signal<> hideWindowRequested;
    /// A delivery was stopped rather than type a wrong key; the reason says why.
    model::Signal<const std::string&> deliveryStopped;

private:
    void giveClipboardBackWhenQuiet();
    void retryDeliveryLater();
    void afterPaste();
    void sendIf(bool wanted, const char* keys, std::function<void()> next);
    void finishDelivery();
    void onPasteTyped(const platform::SendResult& result);
    void onTextRead(const platform::ClipboardRead& read);
    void scheduleSettleCheck();
    void stopDelivery(const std::string& reason);
    void keepClipboard();
    void giveClipboardBack();

    model::AppModel& model_;
    platform::PasteServices& platform_;
    config::ProgramsConfig config_;
    bool delivering_ = false;
    /// The user clicked again before this delivery's Tab and Enter went out.
    bool userMovedOn_ = false;
    bool advancingAfterPaste_ = false;
    /// The paste being delivered: whether a program is to read a field
    /// from the clipboard, which program has the focus, and its reads.
    bool pasteExpected_ = false;
    platform::ProgramName pasteTarget_;
    PasteSettling pasteSettling_;
    int failedAttempts_ = 0;
    /// One right click reaches the engine twice (press and release); the
    /// second of the pair only clears this.
    bool skipNextAdvance_ = false;
    /// The user's clipboard content is being kept for the coming delivery,
    /// and whether keeping it has ended; the delivery waits for that.
    bool keepingClipboard_ = false;
    bool clipboardKept_ = false;
    bool waitingForClipboard_ = false;
    unsigned keepRun_ = 0;
    std::vector<model::Connection> modelConnections_;
};

} // namespace tapfill::engine
