#pragma once
// The real platform: Qt for the clipboard, settings, tray, placement and
// dialogs, and X11 (XInput 2, a passive grab, XTest) for seeing clicks and
// F12 in other programs, keeping right clicks from them and typing into them.

#include "platform/Platform.h"

#include <optional>
#include <string>

namespace tapfill::platform {

/// Builds every service for the X11 display the application runs on. Call
/// it once the QApplication exists, and keep the result no longer than the
/// QApplication. Without a usable X11 display (a Wayland session without
/// XWayland, no DISPLAY, an X server lacking XInput 2.1 or XTEST) it returns
/// nothing and puts one line for the user into `error`.
std::optional<Platform> makeDesktopPlatform(std::string& error);

} // namespace tapfill::platform
