#pragma once
// The keyboard map the server uses right now, read with libxkbcommon, and
// where each symbol sits in the group (layout) in effect. Loaded again when
// the server announces a new map or layout (MappingNotify, XkbMapNotify,
// XkbNewKeyboardNotify), and re-indexed when another group is locked or
// latched (XkbStateNotify): a key typed with a stale map types the wrong
// character.

#include <memory>
#include <optional>
#include <vector>

struct _XDisplay;

namespace tapfill::platform::x11 {

/// A key and the modifiers (X modifier mask: ShiftMask, Mod5Mask for the
/// third level ...) that must be held for it to produce the symbol, with no
/// modifier locked.
struct KeyPosition {
    int keycode = 0;
    unsigned modifiers = 0;
};

class KeyboardMap {
public:
    explicit KeyboardMap(_XDisplay* display);
    ~KeyboardMap();
    KeyboardMap(const KeyboardMap&) = delete;
    KeyboardMap& operator=(const KeyboardMap&) = delete;

    /// Whether the server speaks XKB; without it nothing can be typed safely.
    bool usable() const { return xkbEventBase_ >= 0; }
    /// The event code of XKB events on this display.
    int xkbEventBase() const { return xkbEventBase_; }

    /// The map changed: the next lookup loads it again.
    void invalidate();
    /// The group in effect changed to `group` (0 is the first).
    void setGroup(int group);
    int group();
    /// Counts map and group changes: a plan made at one count holds while
    /// the count stays.
    unsigned generation() const { return generation_; }

    /// Whether the key, with exactly `modifiers` held and none locked,
    /// produces `keysym` in the group in effect.
    bool produces(int keycode, unsigned modifiers, unsigned long keysym);

    /// Where `keysym` sits in the group in effect: the key needing the
    /// fewest modifiers, each of which some key sets. Nothing when no key
    /// of the group produces it.
    std::optional<KeyPosition> find(unsigned long keysym);

    /// What the key produces unmodified in the group in effect; 0 for nothing.
    unsigned long keysymAt(int keycode);

    /// Keys that produce nothing in any group: free for mapping a symbol
    /// for a moment.
    std::vector<int> spareKeycodes();

    /// A key that sets the one modifier `bit` (ShiftMask, ControlMask,
    /// Mod1Mask ...) while held, rather than locking it; 0 for none.
    int modifierKey(unsigned bit);
    /// Every key that sets one of the modifiers in `mask` while held.
    std::vector<int> modifierKeys(unsigned mask);

    /// Keysyms that may stand for the Unicode character `c`, most usual first.
    static std::vector<unsigned long> keysymsForCharacter(char32_t c);

private:
    struct Loaded;
    Loaded* loaded();
    void index(Loaded& map);

    _XDisplay* display_;
    int xkbEventBase_ = -1;
    int group_ = -1; // -1: ask the server
    unsigned generation_ = 0;
    std::unique_ptr<Loaded> loaded_;
};

} // namespace tapfill::platform::x11
