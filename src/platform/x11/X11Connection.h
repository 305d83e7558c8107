#pragma once
// Tapfill's own connection to the X server, shared by the hooks, the
// interceptors and the key sender. It is a second connection beside Qt's:
// XInput 2 raw events, a passive grab and XTest are requests Qt's connection
// does not make, and mixing them into Qt's event stream would hand Qt events
// it does not expect. Its socket is watched from the Qt event loop, so every
// report arrives on the user-interface thread.
//
// Only this folder's .cpp files see X11 types; the header names the display
// by its struct so that X11's macros (None, Bool, Status ...) stay out of Qt
// code.

#include "platform/x11/KeyboardMap.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct _XDisplay;
class QSocketNotifier;

namespace tapfill::platform::x11 {

/// A button or key seen by the raw event stream: every press anywhere on the
/// desktop, not taken from the program that receives it.
struct RawInput {
    enum Kind { ButtonDown, ButtonUp, KeyDown, KeyUp } kind = ButtonDown;
    /// Logical button (after the pointer mapping: 1 is the primary button,
    /// 3 the secondary one, also for left-handed users) or keycode.
    int detail = 0;
    /// An auto-repeated key press.
    bool repeat = false;
};

/// A press or release of the grabbed button, kept from every other program
/// until the listener decides (for a press) whether to let it through.
struct GrabbedButton {
    bool press = true;
    int button = 0;
};

/// A property of a window watched with watchProperties() changed.
struct PropertyChange {
    unsigned long window = 0;
    unsigned long property = 0; ///< atom
    bool deleted = false;       ///< deleted, rather than given a new value
};

class X11Connection : public QObject {
    Q_OBJECT
public:
    /// Opens the connection to `displayName` (the DISPLAY variable when
    /// empty) and checks that it offers XInput 2.1+ and XTest. Nothing and an
    /// explanation in `error` when it cannot be used.
    static std::shared_ptr<X11Connection> open(const std::string& displayName, std::string& error);
    ~X11Connection() override;

    /// The name another connection was opened with; "" for none.
    static std::string nameOf(_XDisplay* display);

    _XDisplay* display() const { return display_; }
    KeyboardMap& keyboard() { return keyboard_; }

    /// Raw events are reported to every listener, in the order added.
    /// Returns a number for removeListener().
    int addRawListener(std::function<void(const RawInput&)> listener);
    int addGrabListener(std::function<void(const GrabbedButton&)> listener);
    int addPropertyListener(std::function<void(const PropertyChange&)> listener);
    void removeListener(int id);

    /// Starts or stops reporting property changes of another program's
    /// window. Returns once the server has taken the request, so that no
    /// change made after the call is missed. False when the window is gone.
    bool watchProperties(unsigned long window, bool on);

    /// Starts or stops taking the secondary button (logical 3) from every
    /// program. Counted: the grab stays while any user still wants it. False
    /// when another client already holds the same grab.
    bool grabSecondaryButton();
    void releaseSecondaryButton();

    /// Ends the freeze that a grabbed press puts on the pointer: `keep` lets
    /// Tapfill keep the press (and the release that follows), otherwise the
    /// press goes on to its window as if there had been no grab. Only the
    /// first call after a press counts.
    void allowPointer(bool keep);

    /// Sends what is buffered. Requests made outside an event handler wait
    /// for the next flush; call this after them.
    void flush();

    /// Waits until the server has handled every request sent so far, then
    /// reports the events that came in meanwhile.
    void sync();

private:
    explicit X11Connection(_XDisplay* display);
    void drain();
    void dispatch(void* xevent);
    void deliver(const RawInput* raw, const GrabbedButton* grabbed, const PropertyChange* change);
    void reloadPointerMapping();
    int logicalButton(int physical) const;

    _XDisplay* display_ = nullptr;
    int xinputOpcode_ = 0;
    QSocketNotifier* notifier_ = nullptr;
    KeyboardMap keyboard_;
    std::vector<unsigned char> pointerMapping_;
    struct Listener {
        int id;
        std::function<void(const RawInput&)> raw;
        std::function<void(const GrabbedButton&)> grab;
        std::function<void(const PropertyChange&)> property;
    };
    std::vector<Listener> listeners_;
    int nextListenerId_ = 1;
    int grabUsers_ = 0;
    bool grabActive_ = false;
    bool pointerFrozen_ = false;
    unsigned freezeSerial_ = 0;
    bool grabWarningShown_ = false;
};

} // namespace tapfill::platform::x11
