#include "platform/x11/X11Connection.h"

#include "platform/x11/X11ErrorTrap.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <cstdlib>

// X11 last: its macros clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>

namespace tapfill::platform::x11 {
namespace {
// A press the listeners have not decided on within this time is kept, so that
// a handler that waits for something (a nested event loop) never leaves the
// whole desktop without a mouse.
constexpr int FrozenPointerLimitMs = 500;
} // namespace

std::shared_ptr<X11Connection> X11Connection::open(const std::string& displayName, std::string& error)
{
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (!display) {
        const char* env = std::getenv("DISPLAY");
        std::string name = !displayName.empty() ? displayName : env ? env : "";
        error = name.empty() ? "no X display is set (DISPLAY is empty)"
                             : "cannot open the X display \"" + name + "\"";
        return nullptr;
    }
    int opcode = 0, firstEvent = 0, firstError = 0;
    int major = 2, minor = 2;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &firstEvent, &firstError)
        || XIQueryVersion(display, &major, &minor) != Success || major < 2
        || (major == 2 && minor < 1)) {
        XCloseDisplay(display);
        error = "the X server lacks XInput 2.1, which Tapfill needs to see clicks in other programs";
        return nullptr;
    }
    int testMajor = 0, testMinor = 0;
    if (!XTestQueryExtension(display, &firstEvent, &firstError, &testMajor, &testMinor)) {
        XCloseDisplay(display);
        error = "the X server lacks the XTEST extension, which Tapfill needs to type into other programs";
        return nullptr;
    }
    std::shared_ptr<X11Connection> connection(new X11Connection(display));
    connection->xinputOpcode_ = opcode;
    return connection;
}

std::string X11Connection::nameOf(_XDisplay* display)
{
    const char* name = display ? DisplayString(display) : nullptr;
    return name ? name : "";
}

X11Connection::X11Connection(_XDisplay* display)
    : display_(display), keyboard_(display)
{
    // Raw events from the master devices only: selecting all devices would
    // report each click twice, once from the physical device and once from
    // the master it drives.
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawButtonPress);
    XISetMask(bits, XI_RawButtonRelease);
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XIEventMask mask{};
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = sizeof(bits);
    mask.mask = bits;
    XISelectEvents(display_, DefaultRootWindow(display_), &mask, 1);
    reloadPointerMapping();
    XFlush(display_);

    notifier_ = new QSocketNotifier(ConnectionNumber(display_), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &X11Connection::drain);
    // Any round trip (a query about a window, XSync) reads whatever events
    // have come in meanwhile into Xlib's queue, where the socket notifier
    // cannot see them; pick those up before the event loop sleeps.
    if (auto* dispatcher = QAbstractEventDispatcher::instance(thread())) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            XFlush(display_);
            if (XEventsQueued(display_, QueuedAlready) > 0)
                drain();
        });
    }
}

X11Connection::~X11Connection()
{
    delete notifier_;
    notifier_ = nullptr;
    // Closing the connection drops its grabs and thaws a frozen pointer.
    XCloseDisplay(display_);
}

int X11Connection::addRawListener(std::function<void(const RawInput&)> listener)
{
    listeners_.push_back({nextListenerId_, std::move(listener), {}, {}});
    return nextListenerId_++;
}

int X11Connection::addGrabListener(std::function<void(const GrabbedButton&)> listener)
{
    listeners_.push_back({nextListenerId_, {}, std::move(listener), {}});
    return nextListenerId_++;
}

int X11Connection::addPropertyListener(std::function<void(const PropertyChange&)> listener)
{
    listeners_.push_back({nextListenerId_, {}, {}, std::move(listener)});
    return nextListenerId_++;
}

bool X11Connection::watchProperties(unsigned long window, bool on)
{
    X11ErrorTrap trap(display_);
    XSelectInput(display_, window, on ? PropertyChangeMask : NoEventMask);
    return trap.sync();
}

void X11Connection::removeListener(int id)
{
    std::erase_if(listeners_, [id](const Listener& l) { return l.id == id; });
}

void X11Connection::drain()
{
    // One event at a time: a listener may run a nested event loop, which
    // drains from here on; nothing is held across the call.
    while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
        dispatch(&event);
    }
}

void X11Connection::dispatch(void* xevent)
{
    XEvent& event = *static_cast<XEvent*>(xevent);
    if (keyboard_.usable() && event.type == keyboard_.xkbEventBase()) {
        const auto& xkb = reinterpret_cast<const XkbEvent&>(event);
        if (xkb.any.xkb_type == XkbNewKeyboardNotify || xkb.any.xkb_type == XkbMapNotify)
            keyboard_.invalidate();
        else if (xkb.any.xkb_type == XkbStateNotify)
            keyboard_.setGroup(xkb.state.group);
        return;
    }
    RawInput raw;
    GrabbedButton grabbed;
    PropertyChange change;
    bool isRaw = false;
    bool isGrab = false;
    bool isProperty = false;

    switch (event.type) {
    case MappingNotify:
        XRefreshKeyboardMapping(&event.xmapping);
        if (event.xmapping.request == MappingPointer)
            reloadPointerMapping();
        else
            keyboard_.invalidate();
        return;
    case GenericEvent:
        if (event.xcookie.extension != xinputOpcode_ || !XGetEventData(display_, &event.xcookie))
            return;
        {
            const auto* e = static_cast<const XIRawEvent*>(event.xcookie.data);
            switch (event.xcookie.evtype) {
            case XI_RawButtonPress:
            case XI_RawButtonRelease:
                raw.kind = event.xcookie.evtype == XI_RawButtonPress ? RawInput::ButtonDown
                                                                     : RawInput::ButtonUp;
                raw.detail = logicalButton(e->detail);
                isRaw = raw.detail != 0;
                break;
            case XI_RawKeyPress:
                raw.kind = RawInput::KeyDown;
                raw.detail = e->detail;
                raw.repeat = (e->flags & XIKeyRepeat) != 0;
                isRaw = true;
                break;
            case XI_RawKeyRelease:
                raw.kind = RawInput::KeyUp;
                raw.detail = e->detail;
                isRaw = true;
                break;
            default:
                break;
            }
        }
        XFreeEventData(display_, &event.xcookie);
        break;
    case ButtonPress:
    case ButtonRelease: {
        // Only the passive grab sends core button events to this connection.
        grabbed.press = event.type == ButtonPress;
        grabbed.button = static_cast<int>(event.xbutton.button);
        isGrab = true;
        if (grabbed.press && !grabActive_) {
            // The press that starts the grab: the server has frozen the
            // pointer until allowPointer(). Its raw event came before it.
            grabActive_ = true;
            pointerFrozen_ = true;
            QTimer::singleShot(FrozenPointerLimitMs, this, [this, serial = ++freezeSerial_] {
                if (serial == freezeSerial_)
                    allowPointer(true);
            });
        } else {
            // While a grab of ours is active the server sends this client
            // no raw events for the grabbed pointer (they go to the grab's
            // own event mask, which a core grab cannot have), so the hooks
            // would miss the release of a kept right click, and every click
            // of another button made meanwhile. Core events carry the
            // logical button already.
            raw.kind = grabbed.press ? RawInput::ButtonDown : RawInput::ButtonUp;
            raw.detail = grabbed.button;
            isRaw = true;
            constexpr unsigned AllButtons = Button1Mask | Button2Mask | Button3Mask
                                            | Button4Mask | Button5Mask;
            const unsigned thisButton = grabbed.button >= 1 && grabbed.button <= 5
                                            ? Button1Mask << (grabbed.button - 1) : 0;
            // The grab ends with the release of the last button held.
            if (!grabbed.press && (event.xbutton.state & AllButtons & ~thisButton) == 0)
                grabActive_ = false;
        }
        break;
    }
    case PropertyNotify:
        change.window = event.xproperty.window;
        change.property = event.xproperty.atom;
        change.deleted = event.xproperty.state == PropertyDelete;
        isProperty = true;
        break;
    default:
        return;
    }
    if (isRaw)
        deliver(&raw, nullptr, nullptr);
    if (isGrab)
        deliver(nullptr, &grabbed, nullptr);
    if (isProperty)
        deliver(nullptr, nullptr, &change);
    // Nobody decided: the press goes on to its window untouched.
    if (isGrab && grabbed.press)
        allowPointer(false);
}

void X11Connection::deliver(const RawInput* raw, const GrabbedButton* grabbed,
                            const PropertyChange* change)
{
    // Listeners may add or remove listeners; call each one that is still there.
    std::vector<int> ids;
    for (const auto& l : listeners_)
        ids.push_back(l.id);
    for (int id : ids) {
        auto it = std::find_if(listeners_.begin(), listeners_.end(),
                               [id](const Listener& l) { return l.id == id; });
        if (it == listeners_.end())
            continue;
        // A copy: the listener may remove itself while it runs.
        Listener listener = *it;
        try {
            if (raw && listener.raw)
                listener.raw(*raw);
            else if (grabbed && listener.grab)
                listener.grab(*grabbed);
            else if (change && listener.property)
                listener.property(*change);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "tapfill: input handler failed: %s\n", e.what());
        } catch (...) {
            std::fprintf(stderr, "tapfill: input handler failed\n");
        }
    }
}

bool X11Connection::grabSecondaryButton()
{
    if (grabUsers_ > 0) {
        ++grabUsers_;
        return true;
    }
    X11ErrorTrap trap(display_);
    // Synchronous pointer mode: the server freezes the pointer at the press
    // until allowPointer() says whether Tapfill keeps it or replays it to
    // the window under the pointer. AnyModifier, or NumLock and CapsLock
    // would let the click through.
    XGrabButton(display_, Button3, AnyModifier, DefaultRootWindow(display_), False,
                ButtonPressMask | ButtonReleaseMask, GrabModeSync, GrabModeAsync, None, None);
    if (!trap.sync()) {
        if (!grabWarningShown_) {
            grabWarningShown_ = true;
            std::fprintf(stderr,
                         "tapfill: cannot take right clicks: another program (another copy of "
                         "Tapfill?) holds the right button (X error %d); they reach their windows\n",
                         trap.errorCode());
        }
        return false;
    }
    ++grabUsers_;
    return true;
}

void X11Connection::releaseSecondaryButton()
{
    if (grabUsers_ == 0 || --grabUsers_ > 0)
        return;
    XUngrabButton(display_, Button3, AnyModifier, DefaultRootWindow(display_));
    XFlush(display_);
}

void X11Connection::allowPointer(bool keep)
{
    if (!pointerFrozen_)
        return;
    pointerFrozen_ = false;
    if (!keep)
        grabActive_ = false; // replaying ends the grab
    XAllowEvents(display_, keep ? AsyncPointer : ReplayPointer, CurrentTime);
    XFlush(display_);
}

void X11Connection::flush()
{
    XFlush(display_);
}

void X11Connection::sync()
{
    XSync(display_, False);
    drain();
}

void X11Connection::reloadPointerMapping()
{
    unsigned char map[256];
    int count = XGetPointerMapping(display_, map, sizeof(map));
    pointerMapping_.assign(map, map + std::max(count, 0));
}

int X11Connection::logicalButton(int physical) const
{
    if (physical >= 1 && physical <= static_cast<int>(pointerMapping_.size()))
        return pointerMapping_[physical - 1];
    return physical;
}

} // namespace tapfill::platform::x11
