#pragma once
// The system-wide mouse and keyboard hooks (WH_MOUSE_LL, WH_KEYBOARD_LL).
//
// Windows calls a low-level hook on the thread that installed it, through
// that thread's message loop, before the input reaches any window, and
// removes a hook that keeps it waiting too long (LowLevelHooksTimeout, and
// silently for good on Windows 7 and later). So the hooks live on a thread
// of their own that does nothing else, decide at once, and hand their
// reports to the UI thread by posting them. Input that a program injected
// (Tapfill's own keystrokes included) is let through unreported.
//
// The one decision taken on the hook thread is whether a right button
// message is kept from its window: while interception is armed, every
// watched right button message is kept, and a release whose press was kept
// is kept too, so that no window sees half a click.

#include "platform/MessageHook.h"
#include "platform/windows/UiThread.h"

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <future>
#include <thread>
#include <vector>

namespace tapfill::platform::windows {

/// One report of the hooks, on the UI thread.
struct InputReport {
    enum class Kind { Mouse, PasteModeKey } kind = Kind::Mouse;
    HookedMessage mouse;  ///< when Kind::Mouse
    bool kept = false;    ///< the message was kept from its window
};

class LowLevelInput {
public:
    /// Starts the hook thread; `ui` receives the reports. Check installed().
    explicit LowLevelInput(UiThread& ui);
    ~LowLevelInput();
    LowLevelInput(const LowLevelInput&) = delete;
    LowLevelInput& operator=(const LowLevelInput&) = delete;

    /// Whether both hooks are in place; `error()` says why not.
    bool installed() const { return installed_; }
    const std::string& error() const { return error_; }

    /// Adds a receiver of every report; returns its number for unsubscribe().
    int subscribe(std::function<void(const InputReport&)> receiver);
    void unsubscribe(int id);

    /// Which right button messages are kept while armed.
    void setIntercepted(bool rightDown, bool rightUp);
    void setArmed(bool armed) { armed_ = armed; }
    /// The paste mode key: a virtual-key number and the modifiers held with it.
    void setPasteModeKey(unsigned short virtualKey, bool ctrl, bool alt, bool shift, bool win);

    /// The modifier keys the user holds down now on the keyboard, as the
    /// hook saw them (injected presses and releases do not count): virtual
    /// keys VK_LSHIFT ... VK_RWIN.
    std::vector<unsigned short> physicallyHeldModifiers() const;

private:
    struct Receivers;
    static LRESULT CALLBACK mouseProcedure(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK keyboardProcedure(int code, WPARAM wParam, LPARAM lParam);
    void run(std::promise<void>* started);
    bool onMouse(WPARAM message, const MSLLHOOKSTRUCT& info);
    void onKey(WPARAM message, const KBDLLHOOKSTRUCT& info);
    void report(const InputReport& report);

    UiThread& ui_;
    std::shared_ptr<Receivers> receivers_;
    std::thread thread_;
    DWORD threadId_ = 0;
    bool installed_ = false;
    std::string error_;

    std::atomic<bool> armed_{false};
    std::atomic<bool> interceptDown_{false}, interceptUp_{false};
    /// Virtual key in the low 16 bits, modifiers above (see LowLevelInput.cpp).
    std::atomic<unsigned> pasteModeKey_{VK_F12};

    std::atomic<unsigned> heldModifiers_{0}; ///< bit i: ModifierKeys[i] is down

    // Hook thread only.
    bool rightPressKept_ = false;
    bool pasteModeKeyDown_ = false;
};

} // namespace tapfill::platform::windows
