#pragma once
// Catches the X protocol errors of a few requests on Tapfill's connection.
// Xlib's default handler ends the process on any error, and errors are
// expected here: a window can vanish between two queries about it, and a
// second copy of Tapfill cannot take a grab the first one holds. The handler
// is process-wide, so the trap installs its own only for its lifetime, passes
// errors of other connections on to the handler it found, and puts that one
// back when it ends.

struct _XDisplay;

namespace tapfill::platform::x11 {

class X11ErrorTrap {
public:
    explicit X11ErrorTrap(_XDisplay* display);
    /// Waits until the server has answered every request made inside the
    /// trap (unless sync() was the last thing done), so that their errors
    /// land here, then restores the old handler.
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    /// Waits for the answers to all requests so far; true when none failed.
    /// Make no request after it inside the trap.
    bool sync();
    bool failed() const { return errorCode_ != 0; }
    /// The first error's code (BadAccess, BadWindow ...), 0 for none.
    int errorCode() const { return errorCode_; }

    /// For the handler given to Xlib only: files an error with the trap of
    /// its connection, or passes it on.
    static int handle(_XDisplay* display, void* event);

private:
    _XDisplay* display_;
    int errorCode_ = 0;
    bool synced_ = false;
    X11ErrorTrap* outer_;
    void (*previousHandler_)(); // Xlib's handler type, which this header cannot name
};

} // namespace tapfill::platform::x11
