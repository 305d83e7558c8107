#pragma once
// The key notation that Tapfill types in, parsed into single keystrokes.
// Plain C++ and free of X11 so that it can be tested without a display.
//
//   ^ + %        hold Ctrl, Shift or Alt for the next key or (group of keys)
//   {x}          the key that produces the character x, also one of ^+%~(){}[]
//   {NAME}       a named key: {TAB} {ENTER} {ESC} {BACKSPACE} {F5} ...
//   {x n} {NAME n}  the key n times
//   ~            Enter
//   anything else   the key that produces that character

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tapfill::platform::keys {

enum Modifier : unsigned {
    ModShift = 1,
    ModControl = 2,
    ModAlt = 4,
};

enum class NamedKey {
    Tab, Enter, Escape, Backspace, Delete, Insert, Home, End, PageUp, PageDown,
    Up, Down, Left, Right, Break, CapsLock, NumLock, ScrollLock, PrintScreen, Help,
    Add, Subtract, Multiply, Divide,
    F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12, F13, F14, F15, F16,
};

/// One key typed with the modifiers held around it.
struct KeyStroke {
    unsigned modifiers = 0;
    bool named = false;
    NamedKey key = NamedKey::Tab; ///< when `named`
    char32_t character = 0;       ///< when not `named`

    bool operator==(const KeyStroke&) const = default;
};

/// The keystrokes `notation` stands for, or nothing when it is not valid
/// notation (unbalanced braces or parentheses, an unknown key name, a
/// modifier with no key after it, broken UTF-8).
std::optional<std::vector<KeyStroke>> parseKeyNotation(std::string_view notation);

/// The keystrokes that type `utf8` as it is: every character its own key,
/// a line break (LF, CR LF or CR) one Enter, a tab Tab. Nothing when it
/// holds broken UTF-8 or a control character no key stands for.
std::optional<std::vector<KeyStroke>> textKeyStrokes(std::string_view utf8);

/// The keysym of a named key.
unsigned long keysymOf(NamedKey key);

} // namespace tapfill::platform::keys
