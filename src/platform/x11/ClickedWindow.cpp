#include "platform/x11/ClickedWindow.h"

#include "platform/x11/X11ErrorTrap.h"

#include <unistd.h>

#include <string>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace tapfill::platform::x11 {
namespace {

bool hasProperty(Display* display, Window window, Atom property)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    int status = XGetWindowProperty(display, window, property, 0, 0, False, AnyPropertyType,
                                    &type, &format, &items, &after, &data);
    if (data)
        XFree(data);
    return status == Success && type != None;
}

long processOf(Display* display, Window window, Atom pidAtom)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &items, &after, &data) == Success
        && type == XA_CARDINAL && format == 32 && items == 1 && data)
        pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data)); // format 32 comes as long
    if (data)
        XFree(data);
    return pid;
}

/// A child of the root that holds no managed window on the pointer's path is
/// a frame's decoration, as long as a window manager runs at all (without
/// one, programs' windows are children of the root without WM_STATE) and it
/// is not an override-redirect window such as a popup menu.
bool isWindowManagerFrame(Display* display, Window outermost)
{
    const std::string name = "WM_S" + std::to_string(DefaultScreen(display));
    const Atom managerSelection = XInternAtom(display, name.c_str(), False);
    if (XGetSelectionOwner(display, managerSelection) == None)
        return false;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, outermost, &attributes))
        return false;
    return !attributes.override_redirect;
}

} // namespace

ClickedWindow windowUnderPointer(_XDisplay* display)
{
    X11ErrorTrap trap(display);
    const Window root = DefaultRootWindow(display);

    // Down from the root, one level per query, to the innermost window.
    std::vector<Window> path;
    Window window = root;
    for (int depth = 0; depth < 32; ++depth) {
        Window rootReturn = None, child = None;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned int buttons = 0;
        if (!XQueryPointer(display, window, &rootReturn, &child, &rootX, &rootY, &x, &y, &buttons)
            || child == None)
            break;
        path.push_back(child);
        window = child;
    }

    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    const Atom wmPid = XInternAtom(display, "_NET_WM_PID", False);
    const long ownPid = static_cast<long>(getpid());
    ClickedWindow result;
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        if (result.topLevel == 0 && hasProperty(display, *it, wmState))
            result.topLevel = *it;
        if (!result.ownWindow && processOf(display, *it, wmPid) == ownPid)
            result.ownWindow = true;
    }
    if (result.topLevel == 0 && !path.empty())
        result.decoration = isWindowManagerFrame(display, path.front());
    return result;
}

} // namespace tapfill::platform::x11
