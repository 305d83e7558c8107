#pragma once

#include <functional>
#include <string>

namespace tapfill::platform {

/// A program asking for Tapfill's text while it is on the clipboard.
struct ClipboardRead {
    /// The process that asked; 0 when the window system cannot tell.
    long processId = 0;
    /// It asked for the text itself, not only which formats there are.
    bool content = false;
};

/// The desktop clipboard. Tapfill puts a field there for the moment of a
/// paste and can give the user's own content back afterwards.
class Clipboard {
public:
    virtual ~Clipboard() = default;

    /// Empties the clipboard. False when it could not be taken.
    virtual bool clear() = 0;
    /// Puts UTF-8 text on the clipboard, line breaks as they are, marked as
    /// secret so that clipboard managers leave it out of their history.
    /// False on failure.
    virtual bool setText(const std::string& utf8) = 0;

    /// Starts keeping what the clipboard holds now, in every format, so that
    /// giveBack() can put it back. `ready` runs once, from the event loop,
    /// when it is kept or when keeping it took too long (then nothing is
    /// kept). While Tapfill's own text is on the clipboard, what was kept
    /// for it stays kept.
    virtual void keep(std::function<void()> ready) = 0;
    /// Puts back what keep() kept, if the clipboard still holds the text
    /// that setText() put there; someone else's newer content stays. Empties
    /// the clipboard when nothing could be kept. Forgets what was kept.
    virtual void giveBack() = 0;

    /// Runs on the event loop's thread each time a program has asked for
    /// Tapfill's text (each part of a large one), once the answer is on its
    /// way: keys typed afterwards reach that program after the text.
    std::function<void(const ClipboardRead&)> onTextRead;
};

} // namespace tapfill::platform
