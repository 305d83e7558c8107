#pragma once
// Key names as programs.conf spells them: X keysym names ("F12", "Pause",
// "Scroll_Lock", "p", "plus"), on every system, so that one file serves both.

#include <optional>
#include <string>
#include <string_view>

namespace tapfill::config {

/// The canonical spelling of the key `name` names ("pause" -> "Pause"), or
/// nothing when it names no key. A single character stands for the key
/// that produces it ("+" -> "plus").
std::optional<std::string> canonicalKeyName(const std::string& name);

/// A key of a PC keyboard: its X keysym name and its Windows virtual-key
/// number. The Windows build knows keys by this table alone.
struct PcKey {
    std::string_view keysym;
    unsigned short virtualKey;
};

/// The PC key that `name` names (an X keysym name, matched exactly, then
/// without regard to case, or a single character), with its canonical
/// keysym name; nothing when a PC keyboard has no such key.
std::optional<PcKey> findPcKey(std::string_view name);

} // namespace tapfill::config
