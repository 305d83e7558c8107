#pragma once
// The window under the pointer, as the hooks report it.

#include "platform/MessageHook.h"

struct _XDisplay;

namespace tapfill::platform::x11 {

struct ClickedWindow {
    /// The program's top-level window: the innermost window under the
    /// pointer that carries WM_STATE, which the window manager puts on the
    /// windows it manages. 0 when there is none (the bare desktop).
    WindowId topLevel = 0;
    /// Some window between the innermost one and the root was made by this
    /// process (its _NET_WM_PID is ours): one of Tapfill's windows, or its
    /// tray icon, which lives inside the tray host's window.
    bool ownWindow = false;
    /// The pointer is on a window manager's frame (title bar, border), not
    /// inside a program's window: such clicks are not the program's own.
    bool decoration = false;
};

/// Asks the server where the pointer is now. A window that vanishes while it
/// is being looked at ends the search with what was found so far.
ClickedWindow windowUnderPointer(_XDisplay* display);

} // namespace tapfill::platform::x11
