#pragma once
// Starting Tapfill with Windows: a value named "Tapfill" under
// HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run, which
// Windows reads when the user signs in, holding the program's quoted path.

#include "app/Autostart.h"

#include <filesystem>

namespace tapfill::windows {

/// Whether the value is there.
bool autostartEnabled();

/// Writes the value naming `program` (on) or removes it (off).
AutostartResult setAutostart(bool on, const std::filesystem::path& program);

} // namespace tapfill::windows
