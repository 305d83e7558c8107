#pragma once
// What Tapfill can learn about the program behind a window.

#include "platform/KeySender.h"

#include <windows.h>

#include <optional>
#include <string>

namespace tapfill::platform::windows {

/// The file name of the program's executable ("putty.exe") as `instance`
/// and the window class of its top-level window as `wmClass`, the two
/// names programs.conf matches, and its process.
ProgramName programOfWindow(HWND window);

/// The process's executable file name, "" when it cannot be told.
std::string executableName(DWORD processId);

/// Whether the process runs at a higher integrity level than Tapfill (a
/// program run as administrator, while Tapfill is not). Windows drops
/// input that Tapfill injects into such a program without a word, so
/// nothing must be typed there.
bool runsWithHigherRights(DWORD processId);

/// UTF-16 and UTF-8 both ways.
std::wstring widened(const std::string& utf8);
std::string narrowed(const std::wstring& utf16);

} // namespace tapfill::platform::windows
