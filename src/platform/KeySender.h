#pragma once
// Synthetic keystrokes into whichever window has the keyboard focus.

#include <functional>
#include <string>

namespace tapfill::platform {

/// Types key sequences written in the key notation: "^" holds Ctrl down for
/// the next key, a character in braces stands for the key that produces it,
/// and a key name in braces for that key ("^{v}", "{TAB}", "{ENTER}").
class KeySender {
public:
    virtual ~KeySender() = default;

    /// Types `keys` and calls `done` once the focused window has processed
    /// them, or at once with false when they could not be typed at all. For
    /// a paste ("^{v}") "processed" means the window has fetched the text it
    /// pastes, so that keys typed after `done` never overtake the paste.
    /// Never blocks the event loop; `done` may run before send() returns.
    virtual void send(const std::string& keys, std::function<void(bool typed)> done) = 0;
};

} // namespace tapfill::platform
