#pragma once
// Which key produces a given symbol in the keyboard map the server uses right
// now. Kept by Tapfill itself rather than read from Xlib's cache so that it
// can be reloaded exactly when the server announces a new map (the first
// XTest keystroke already does that).

#include <optional>
#include <vector>

struct _XDisplay;

namespace tapfill::platform::x11 {

/// A key and the column of the core map that holds the symbol: 0 plain,
/// 1 with Shift, higher columns need other groups or levels.
struct KeyPosition {
    int keycode = 0;
    int column = 0;
};

class KeyboardMap {
public:
    explicit KeyboardMap(_XDisplay* display) : display_(display) {}

    /// Forgets the map; the next lookup loads it again.
    void invalidate() { symbols_.clear(); }

    /// Where `keysym` sits, preferring the plain column, then Shift, then
    /// any other. Nothing when no key produces it.
    std::optional<KeyPosition> find(unsigned long keysym);

    /// Keysyms that may stand for the Unicode character `c` in a keyboard
    /// map, most usual first.
    static std::vector<unsigned long> keysymsForCharacter(char32_t c);

private:
    void load();

    _XDisplay* display_;
    int minKeycode_ = 0;
    int perKeycode_ = 0;
    std::vector<unsigned long> symbols_;
};

} // namespace tapfill::platform::x11
