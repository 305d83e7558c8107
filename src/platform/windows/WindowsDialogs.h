#pragma once
// Modal dialogs on Windows: the message box (MessageBoxW, whose style and
// answer numbers are the ones MsgBox in platform/Dialogs.h uses) and a
// one-line input box laid out as the classic InputBox: the prompt at the
// top left, OK and Cancel on the right, the text box along the bottom.

#include <windows.h>

#include <string>

namespace tapfill::platform::windows {

/// The pressed button's number (IDOK 1, IDYES 6, IDNO 7 ...).
int messageBox(HWND owner, const std::string& text, const std::string& title, int style);

/// The typed text, or "" on Cancel, Escape or closing the box.
std::string inputBox(HWND owner, const std::string& prompt, const std::string& title,
                     const std::string& defaultText);

} // namespace tapfill::platform::windows
