#pragma once
// When a program is done taking a paste. Once its paste keys are in its
// queue, a program asks the clipboard owner for the text, and programs ask
// in very different ways:
//   - Tk, GTK, Qt: the list of formats, then the text, once;
//   - xfce4-terminal: the text twice within a millisecond, inserting the
//     second;
//   - Chromium: the formats, the text, more lists of formats and the text a
//     second time 7..15 ms later, inserting the second; 15..45 ms in all,
//     longer on a busy machine;
//   - LibreOffice: the text twice about 100 ms apart, inserting the second,
//     from another connection than the one its window belongs to.
// No program says "inserted". What they have in common is that a paste is
// one burst of reads from one process, so the paste counts as done once
// that process has read the text and then asked nothing for a quiet time
// well beyond the longest gap seen inside a burst. Until then nothing else
// may change the clipboard (a program that reads again after the change
// inserts the wrong text, or drops the paste) and no key may follow (it
// would overtake the text).
//
// Keys are safe once the reads have stopped: the program handles them after
// the paste, in its own order. Changing the clipboard is not: Chromium reads
// in its browser process and inserts in the page's, and on a busy machine
// either may stall for more than 300 ms in the middle of a paste; a change
// of the clipboard then drops the paste (the page is handed an empty text).
// So the field stays on the clipboard until the program has been quiet for
// much longer, and the user's content comes back only then.
//
// Reads by other processes, such as a clipboard manager's copy of each new
// content, say nothing about the paste.

#include "platform/Clipboard.h"

#include <chrono>

namespace tapfill::engine {

class PasteSettling {
public:
    using Clock = std::chrono::steady_clock;
    using Ms = std::chrono::milliseconds;

    /// The program has this long from its paste keys to start asking: a
    /// program pasting for the first time may take 150 ms, and a browser
    /// more than a second on a busy machine.
    static constexpr Ms TakeWithin{2000};
    /// Quiet after the last read before the paste counts as done: beyond
    /// LibreOffice's 100 ms between its two reads even on a busy machine.
    static constexpr Ms QuietAfterRead{300};
    /// Quiet after the last read before the clipboard may change.
    static constexpr Ms QuietBeforeChange{1000};
    /// A program that never stops asking (one that watches the clipboard
    /// all the time) is done this long after its paste keys. A program
    /// that never asked still finds the field there until then: should it
    /// ask after all, it pastes the field, never the user's old content.
    static constexpr Ms Longest{5000};

    enum class State {
        Idle,     ///< no paste being watched
        Waiting,  ///< the paste keys are in; the program has not finished reading
        Done,     ///< the program took the text and has stopped asking
        NotTaken, ///< the program never asked for the text
    };

    /// Starts watching a paste into `program` before its keys go out, so
    /// that no read is missed however fast it comes; `program` 0 when the
    /// window system could not tell which process has the focus (then any
    /// read counts).
    void start(long program);
    /// The paste keys reached the program's queue at `at`: the wait runs
    /// from there.
    void keysIn(Clock::time_point at);
    /// Stops watching.
    void stop() { state_ = State::Idle; }
    /// Done, and Tapfill went on with the delivery; reads still come in
    /// and put off clipboardFreeAt().
    void goOn() { state_ = State::Done; }
    /// A read of Tapfill's text, at `at`.
    void onRead(Clock::time_point at, const platform::ClipboardRead& read);
    /// The state at `now`: Waiting turns into Done or NotTaken as time passes.
    State state(Clock::time_point now) const;
    /// When state() turns from Waiting, unless another read comes first.
    Clock::time_point decidedAt() const;

    bool watching() const { return state_ != State::Idle; }
    bool wentOn() const { return state_ == State::Done; }
    /// When a field no one asked for may leave the clipboard.
    Clock::time_point longestWaitEnds() const { return keysIn_ + Longest; }
    /// When a field that was taken may leave the clipboard.
    Clock::time_point clipboardFreeAt() const;
    long program() const { return program_; }

private:
    State state_ = State::Idle;
    long program_ = 0;
    Clock::time_point keysIn_{};
    bool keysTyped_ = false;
    Clock::time_point lastRead_{};
    bool anyRead_ = false;
    bool taken_ = false;
};

} // namespace tapfill::engine
