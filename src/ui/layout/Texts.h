#pragma once
// Texts that Tapfill shows outside its windows' descriptions: the tray
// icon's tool tips and menu, the description input box, and the messages
// of the start-up and of a stopped delivery. Plain C++, so that every front end says the same.

#include "platform/MsgBox.h"

namespace tapfill::texts {

inline constexpr const char* IdleTip = "Double Click To Start Tapfill";
inline constexpr const char* ActiveTip = "Tapfill is Active!! Double Click to De-activate.";

inline constexpr const char* ShowWindowItem = "&Show the window";
inline constexpr const char* PasteModeItem = "&Paste mode";
inline constexpr const char* AutostartItem = "Start with the &desktop";
inline constexpr const char* ExitItem = "E&xit";

inline constexpr const char* TwoCopiesText =
    "Running two copies of Tapfill simultaneously will disrupt your system!!! (see Readme.txt)     "
    "Do you want to continue ?";
inline constexpr const char* TwoCopiesTitle = "Tapfill Two copy Warning";
inline constexpr int TwoCopiesStyle =
    platform::MsgBox::YesNo + platform::MsgBox::Critical + platform::MsgBox::DefaultButton2;

/// The input box a double click on a multi-line field's button opens.
inline constexpr const char* DescriptionPrompt = "Enter a Description for this field.";
inline constexpr const char* DescriptionTitle = "ENTER INFORMATION";

/// Beside the tray icon, followed by the reason and a full stop.
inline constexpr const char* NotPastedPrefix = "The field was not pasted: ";

} // namespace tapfill::texts
