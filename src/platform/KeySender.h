#pragma once
// Synthetic keystrokes into whichever window has the keyboard focus.

#include <functional>
#include <string>

namespace tapfill::platform {

/// How a sequence ended.
struct SendResult {
    enum class Outcome {
        Typed,    ///< typed and processed
        NotTyped, ///< nothing typed (or, for a text, typing stopped): see `reason`
    };
    Outcome outcome = Outcome::Typed;
    /// For the user, when there is something to tell: why it was not typed.
    std::string reason;

    bool typed() const { return outcome == Outcome::Typed; }
};

/// A program, as the window system names it (X11: WM_CLASS).
struct ProgramName {
    std::string instance;
    std::string wmClass;
    /// Its process; 0 when the window system cannot tell.
    long processId = 0;
};

/// Types key sequences written in the key notation: "^" holds Ctrl down for
/// the next key, "+" Shift, a character in braces stands for the key that
/// produces it, and a key name in braces for that key ("^{v}", "{TAB}").
/// Whatever the keyboard layout and whatever modifiers the user holds or
/// has locked, what arrives is what the sequence says.
class KeySender {
public:
    virtual ~KeySender() = default;

    using Done = std::function<void(const SendResult&)>;

    /// Types `keys` and calls `done` once they are in the focused window's
    /// queue, ahead of anything typed later, or with NotTyped when they
    /// could not be typed at all. For a paste that is only the start: the
    /// program asks for the text afterwards, which the clipboard reports.
    /// Never blocks the event loop; `done` may run before send() returns.
    virtual void send(const std::string& keys, Done done) = 0;

    /// Types the UTF-8 `text` character by character, line breaks as Enter,
    /// so that a text field ends up holding exactly the text. NotTyped when
    /// a character cannot be typed at all (nothing is typed then) or typing
    /// had to stop part way (the reason says so).
    virtual void typeText(const std::string& text, Done done) = 0;

    /// The program whose window has the keyboard focus now, where keys go;
    /// empty names when none can be told.
    virtual ProgramName focusedProgram() = 0;
};

} // namespace tapfill::platform
