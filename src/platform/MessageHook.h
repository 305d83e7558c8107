#pragma once
// System-wide reports of mouse messages and of one key, received by any
// window on the desktop. Plain C++ so that every backend can implement it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tapfill::platform {

/// A window of any program, as the window system names it; 0 means none.
using WindowId = std::uint64_t;

/// The mouse messages Tapfill watches, numbered after the messages they
/// stand for so that logs and tests read the same on every backend.
enum class MouseMessage : int {
    LeftButtonUp = 0x0202,
    RightButtonDown = 0x0204,
    RightButtonUp = 0x0205,
};

/// The one key a hook can watch: the key that switches paste mode (F12).
enum class WatchedKey { None, PasteModeKey };

/// Which key is the paste mode key: an X keysym name and the modifiers
/// that must be held with it (and no others).
struct KeyChord {
    std::string keysym = "F12";
    bool ctrl = false, alt = false, shift = false, super = false;
};

/// One watched mouse message, as a hook reports it.
struct HookedMessage {
    MouseMessage message = MouseMessage::LeftButtonUp;
    /// The top-level window that received the message (0 when unknown).
    WindowId window = 0;
    /// The window belongs to Tapfill itself (one of its windows or its tray
    /// icon). Such clicks are reported, and the logic decides what they mean.
    bool ownWindow = false;
};

/// Reports watched messages received by any window, and presses of the
/// watched key, without taking them from the program that receives them.
/// Reports arrive on the user-interface thread, one at a time; a key held
/// down is reported once, not at every auto-repeat.
class MessageHook {
public:
    virtual ~MessageHook() = default;

    /// Chooses what is reported. Called once, before the first report.
    virtual void watch(std::vector<MouseMessage> messages, WatchedKey key) = 0;
    /// Chooses the paste mode key (F12 until told otherwise); any time.
    virtual void setPasteModeKey(const KeyChord& key) = 0;
    /// Whether mouse reports are of use now. A backend for which watching
    /// costs something stops while they are not; others report anyway.
    virtual void setMouseReportsWanted(bool /*wanted*/) {}

    std::function<void(const HookedMessage&)> onMouse;
    std::function<void()> onKey;
};

} // namespace tapfill::platform
