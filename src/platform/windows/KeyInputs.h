#pragma once
// Keystrokes of the key notation as SendInput events. Keys that make a
// program act (Ctrl+V, Tab, Enter, F5 ...) go as virtual keys, which every
// program understands whatever the layout; characters go as Unicode input
// (KEYEVENTF_UNICODE), which types any character of any language without a
// key for it on the layout.

#include "platform/x11/KeyNotation.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tapfill::platform::windows {

/// The events that type `strokes`, each key pressed and released, its
/// modifiers around it. Nothing, and the reason in `why`, when a stroke
/// holds a modifier and a character that no key of the layout produces
/// (Ctrl with a character typed as Unicode would reach no program as a
/// shortcut).
std::optional<std::vector<INPUT>> keyInputs(const std::vector<keys::KeyStroke>& strokes, std::string& why);

/// One key press or release of virtual key `key`.
INPUT virtualKeyInput(unsigned short key, bool release);

} // namespace tapfill::platform::windows
