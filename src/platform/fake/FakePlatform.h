#pragma once
// Fakes of every platform service: they record what the logic asks for and
// let a test inject the events a user would cause. For fast unit tests of
// the logic only; the real services are exercised end to end.

#include "platform/Platform.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tapfill::platform::fake {

class FakeMessageHook : public MessageHook {
public:
    void watch(std::vector<MouseMessage> messages, WatchedKey key) override
    {
        watchedMessages = std::move(messages);
        watchedKey = key;
    }
    void injectMessage(MouseMessage message, WindowId window = 0x400001, bool ownWindow = false)
    {
        if (onMouse)
            onMouse(HookedMessage{message, window, ownWindow});
    }
    void injectKey()
    {
        if (onKey)
            onKey();
    }
    std::vector<MouseMessage> watchedMessages;
    void setPasteModeKey(const KeyChord& key) override { pasteModeKey = key; }
    WatchedKey watchedKey = WatchedKey::None;
    KeyChord pasteModeKey;
};

class FakeWindowInterceptor : public WindowInterceptor {
public:
    void watch(std::vector<MouseMessage> messages) override { watchedMessages = std::move(messages); }
    void setTargetWindow(WindowId window) override { target = window; }
    WindowId targetWindow() const override { return target; }
    void setArmed(bool on) override { armed = on; }
    /// Delivers a message to the handler as the window system would while
    /// armed; returns true when the message was kept from the window.
    bool injectMessage(MouseMessage message)
    {
        if (!armed || !onIntercepted)
            return false;
        bool keep = false;
        onIntercepted(message, keep);
        return keep;
    }
    std::vector<MouseMessage> watchedMessages;
    WindowId target = 0;
    bool armed = false;
};

/// Records every sequence typed, in order. By default each sequence is
/// processed at once; with `holdProcessing` the test finishes them by hand.
class FakeKeySender : public KeySender {
public:
    void send(const std::string& keys, Done done) override
    {
        if (failNext) {
            failNext = false;
            done(SendResult{SendResult::Outcome::NotTyped, refusal});
            return;
        }
        typed.push_back(keys);
        if (holdProcessing)
            pending.push_back(std::move(done));
        else
            done(SendResult{});
    }
    void typeText(const std::string& text, Done done) override { send("text:" + text, std::move(done)); }
    ProgramName focusedProgram() override { return focused; }
    /// Finishes the oldest held sequence.
    void processNext(bool ok = true)
    {
        finishNext(ok ? SendResult{} : SendResult{SendResult::Outcome::NotTyped, refusal});
    }
    void finishNext(const SendResult& result)
    {
        auto done = std::move(pending.front());
        pending.pop_front();
        done(result);
    }
    std::vector<std::string> typed; ///< notation, or "text:" and a typed text
    std::deque<Done> pending;
    ProgramName focused;
    std::string refusal; ///< the reason a failure gives
    bool holdProcessing = false;
    bool failNext = false;
};

class FakeClipboard : public Clipboard {
public:
    bool clear() override
    {
        log.push_back("clear");
        if (failures > 0) {
            --failures;
            return false;
        }
        text.clear();
        return true;
    }
    bool setText(const std::string& utf8) override
    {
        log.push_back("set:" + utf8);
        if (failures > 0) {
            --failures;
            return false;
        }
        text = utf8;
        return true;
    }
    /// Keeping ends at once unless `holdKeeping`; then finishKeeping() ends it.
    void keep(std::function<void()> ready) override
    {
        log.push_back("keep");
        keptReady = std::move(ready);
        if (!holdKeeping)
            finishKeeping();
    }
    void finishKeeping()
    {
        if (auto ready = std::exchange(keptReady, nullptr))
            ready();
    }
    void giveBack() override { log.push_back("giveBack"); }
    /// A program asks for the text on the clipboard.
    void reportRead(long processId = 0, bool content = true)
    {
        if (onTextRead)
            onTextRead(ClipboardRead{processId, content});
    }
    std::string text;
    std::vector<std::string> log;
    int failures = 0; ///< how many of the next clear() or setText() calls fail
    bool holdKeeping = false;
    std::function<void()> keptReady;
};

class FakeSettingsStore : public SettingsStore {
public:
    std::string getSetting(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& defaultValue) override
    {
        auto it = values.find(application + "/" + section + "/" + key);
        return it == values.end() ? defaultValue : it->second;
    }
    bool saveSetting(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& value) override
    {
        if (readOnly)
            return false;
        values[application + "/" + section + "/" + key] = value;
        return true;
    }
    std::map<std::string, std::string> values;
    bool readOnly = false;
};

class FakeTrayIcon : public TrayIcon {
public:
    void show(const QIcon& shownIcon, const QString& shownTip) override
    {
        present = true;
        icon = shownIcon;
        tip = shownTip;
        ++showCalls;
    }
    void remove() override { present = false; }
    bool available() const override { return trayAvailable; }
    void setMenu(QMenu* shownMenu) override { menu = shownMenu; }
    void showMessage(const QString& title, const QString& text) override { messages.push_back({title, text}); }
    void doubleClick()
    {
        if (onDoubleClick)
            onDoubleClick();
    }

    QIcon icon;
    QString tip;
    QMenu* menu = nullptr;
    std::vector<std::pair<QString, QString>> messages; ///< title and text of each shown
    int showCalls = 0;
    bool present = false;
    bool trayAvailable = true;
};

class FakeWindowPlacement : public WindowPlacement {
public:
    void makeTopmost(QWidget& window) override { topmostCalls.push_back(&window); }
    std::vector<QWidget*> topmostCalls;
};

/// Answers dialogs from a script. An empty script answers No / cancel.
class FakeDialogs : public Dialogs {
public:
    struct Shown {
        QString text, title;
        int style = 0;
        QString defaultText;
    };
    int messageBox(const QString& text, const QString& title, int style) override
    {
        messages.push_back({text, title, style, {}});
        if (onShow)
            onShow();
        if (answers.empty())
            return MsgBox::AnswerNo;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        inputs.push_back({prompt, title, 0, defaultText});
        if (onShow)
            onShow();
        if (typed.empty())
            return {};
        QString text = typed.front();
        typed.pop_front();
        return text;
    }
    std::vector<Shown> messages, inputs;
    std::deque<int> answers;
    std::deque<QString> typed;
    std::function<void()> onShow; ///< runs while a dialog is "open"
};

/// A whole platform of fakes, with typed access for tests.
struct FakePlatform {
    FakePlatform()
    {
        platform.rightClickHook = std::make_unique<FakeMessageHook>();
        platform.leftClickHook = std::make_unique<FakeMessageHook>();
        platform.rightClickInterceptor = std::make_unique<FakeWindowInterceptor>();
        platform.keys = std::make_unique<FakeKeySender>();
        platform.clipboard = std::make_unique<FakeClipboard>();
        platform.settings = std::make_unique<FakeSettingsStore>();
        platform.tray = std::make_unique<FakeTrayIcon>();
        platform.placement = std::make_unique<FakeWindowPlacement>();
        platform.dialogs = std::make_unique<FakeDialogs>();
    }
    FakeMessageHook& rightClickHook() { return static_cast<FakeMessageHook&>(*platform.rightClickHook); }
    FakeMessageHook& leftClickHook() { return static_cast<FakeMessageHook&>(*platform.leftClickHook); }
    FakeWindowInterceptor& rightClickInterceptor()
    {
        return static_cast<FakeWindowInterceptor&>(*platform.rightClickInterceptor);
    }
    FakeKeySender& keys() { return static_cast<FakeKeySender&>(*platform.keys); }
    FakeClipboard& clipboard() { return static_cast<FakeClipboard&>(*platform.clipboard); }
    FakeSettingsStore& settings() { return static_cast<FakeSettingsStore&>(*platform.settings); }
    FakeTrayIcon& tray() { return static_cast<FakeTrayIcon&>(*platform.tray); }
    FakeWindowPlacement& placement() { return static_cast<FakeWindowPlacement&>(*platform.placement); }
    FakeDialogs& dialogs() { return static_cast<FakeDialogs&>(*platform.dialogs); }

    Platform platform;
};

} // namespace tapfill::platform::fake
