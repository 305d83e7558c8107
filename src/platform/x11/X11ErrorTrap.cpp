#include "platform/x11/X11ErrorTrap.h"

#include <X11/Xlib.h>

namespace tapfill::platform::x11 {
namespace {
// The innermost trap; everything runs on the user-interface thread.
X11ErrorTrap* innermost = nullptr;
using Handler = int (*)(Display*, XErrorEvent*);

int trapHandler(Display* display, XErrorEvent* error)
{
    return X11ErrorTrap::handle(display, error);
}
} // namespace

X11ErrorTrap::X11ErrorTrap(_XDisplay* display)
    : display_(display), outer_(innermost)
{
    innermost = this;
    previousHandler_ = reinterpret_cast<void (*)()>(XSetErrorHandler(&trapHandler));
}

X11ErrorTrap::~X11ErrorTrap()
{
    if (!synced_)
        XSync(display_, False);
    XSetErrorHandler(reinterpret_cast<Handler>(previousHandler_));
    innermost = outer_;
}

bool X11ErrorTrap::sync()
{
    XSync(display_, False);
    synced_ = true;
    return !failed();
}

int X11ErrorTrap::handle(_XDisplay* display, void* event)
{
    auto* error = static_cast<XErrorEvent*>(event);
    for (X11ErrorTrap* trap = innermost; trap; trap = trap->outer_) {
        if (trap->display_ == display) {
            if (trap->errorCode_ == 0)
                trap->errorCode_ = error->error_code;
            return 0;
        }
    }
    // Not ours: whoever handled errors before the outermost trap decides.
    X11ErrorTrap* outermost = innermost;
    while (outermost && outermost->outer_)
        outermost = outermost->outer_;
    auto previous = outermost ? reinterpret_cast<Handler>(outermost->previousHandler_) : nullptr;
    return previous ? previous(display, error) : 0;
}

} // namespace tapfill::platform::x11
