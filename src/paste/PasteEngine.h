#pragma once
// The paste engine: clicks and F12 caught anywhere on the desktop, the
// delivery of the selected field by clipboard and keystrokes, the advance to
// the next field, and the commands that switch click acceptance and paste
// mode. It works on the main window's controls and the shared state.

#include "app/SharedState.h"
#include "platform/Platform.h"

#include <QObject>

#include <span>

class QRadioButton;

namespace tapfill::ui {
class MainWindow;
}

namespace tapfill::paste {

class PasteEngine : public QObject {
    Q_OBJECT
public:
    PasteEngine(ui::MainWindow& form, SharedState& state, platform::Platform& platform);

    /// A delivery that keeps failing before anything was typed is retried
    /// every 100 ms for about two seconds, then dropped: a paste much later
    /// would land in whatever window has the focus by then.
    static constexpr int MaxDeliveryAttempts = 20;

    // ---- click capture ------------------------------------------------------
    void WinHook1_HookMessage(const platform::HookedMessage& message);
    void SubClass1_SubclassMessage(platform::MouseMessage message, std::int16_t& passOn);
    void WinHook2_HookMessage(const platform::HookedMessage& message);
    void SubClass2_SubclassMessage(platform::MouseMessage message, std::int16_t& passOn);
    void WinHook1_HookKey();

    // ---- paste delivery -----------------------------------------------------
    void Timer1_Timer();
    /// Puts the selected field of the current page's set on the clipboard
    /// (emptied when no button is selected). False when the clipboard failed.
    bool CopySelectedField();
    /// A delivery has typed its paste and is still sending Tab or Enter.
    bool delivering() const { return delivering_; }

    // ---- field selection ------------------------------------------------------
    void AdvanceField();

    // ---- paste mode commands ----------------------------------------------------
    void Command2_Click(); ///< "PASTE"
    void Command4_Click(); ///< "SUSPEND"
    void Timer2_Timer();

private:
    void retryDeliveryLater();
    void afterPaste();
    void sendIfChecked(bool checked, const char* keys, std::function<void()> next);
    void finishDelivery();
    static void advanceWithin(std::span<QRadioButton* const> group);

    ui::MainWindow& form_;
    SharedState& state_;
    platform::Platform& platform_;
    bool delivering_ = false;
    int failedAttempts_ = 0;
};

} // namespace tapfill::paste
