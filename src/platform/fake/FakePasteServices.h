#pragma once
// Fakes of the paste engine's platform services: they record what the engine
// asks for and let a test inject the events a user would cause. Plain C++,
// like the engine. For fast unit tests of the logic only; the real services
// are exercised end to end.

#include "platform/PasteServices.h"

#include <deque>
#include <functional>
#include <memory>
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

/// Timers that never fire by themselves: a test calls what a tick would do.
class FakeTimerService : public TimerService {
public:
    class FakeTimer : public Timer {
    public:
        void start(int ms) override
        {
            active = true;
            startedFor = ms;
        }
        void stop() override { active = false; }
        bool isActive() const override { return active; }
        bool active = false;
        int startedFor = -1; ///< the time it was last started for, in ms

    };
    std::unique_ptr<Timer> makeTimer(Kind, std::function<void()>) override { return std::make_unique<FakeTimer>(); }
};

/// Fakes of the paste services in `platform`, with typed access for tests.
template <typename Services>
struct FakePasteServicesIn {
    FakePasteServicesIn()
    {
        platform.rightClickHook = std::make_unique<FakeMessageHook>();
        platform.leftClickHook = std::make_unique<FakeMessageHook>();
        platform.rightClickInterceptor = std::make_unique<FakeWindowInterceptor>();
        platform.keys = std::make_unique<FakeKeySender>();
        platform.clipboard = std::make_unique<FakeClipboard>();
        platform.timers = std::make_unique<FakeTimerService>();
    }
    FakeMessageHook& rightClickHook() { return static_cast<FakeMessageHook&>(*platform.rightClickHook); }
    FakeMessageHook& leftClickHook() { return static_cast<FakeMessageHook&>(*platform.leftClickHook); }
    FakeWindowInterceptor& rightClickInterceptor()
    {
        return static_cast<FakeWindowInterceptor&>(*platform.rightClickInterceptor);
    }
    FakeKeySender& keys() { return static_cast<FakeKeySender&>(*platform.keys); }
    FakeClipboard& clipboard() { return static_cast<FakeClipboard&>(*platform.clipboard); }

    Services platform;
};

/// The paste services alone, for the engine without any toolkit.
using FakePasteServices = FakePasteServicesIn<PasteServices>;

} // namespace tapfill::platform::fake
