#pragma once
// The user's modifiers around a typed sequence. A Shift held while Ctrl+V
// goes out makes it Ctrl+Shift+V; a held Alt makes Tab Alt+Tab; Caps Lock
// turns typed letters into capitals. So a sequence is typed in the plain
// state: locked and latched modifiers are unlocked for the moment, and keys
// that are still held after a short wait are released through XTest. All of
// it is put back afterwards, so the user's state is as before.

#include <string>
#include <vector>

struct _XDisplay;

namespace tapfill::platform::x11 {

class KeyboardMap;

class HeldModifiers {
public:
    HeldModifiers(_XDisplay* display, KeyboardMap& keyboard) : display_(display), keyboard_(keyboard) {}
    /// Puts back whatever is still cleared.
    ~HeldModifiers();
    HeldModifiers(const HeldModifiers&) = delete;
    HeldModifiers& operator=(const HeldModifiers&) = delete;

    /// The modifiers held down right now (X modifier mask).
    unsigned held() const;

    /// Releases the held modifier keys and unlocks and unlatches every
    /// modifier. False, with nothing changed and a reason for the user,
    /// when a modifier stays in effect (a key held on a keyboard that XTest
    /// cannot release).
    bool clear(std::string& why);

    /// Presses the released keys again and locks and latches what was.
    void restore();

private:
    _XDisplay* display_;
    KeyboardMap& keyboard_;
    std::vector<int> released_;
    unsigned unlocked_ = 0;
    unsigned unlatched_ = 0;
    bool cleared_ = false;
};

} // namespace tapfill::platform::x11
