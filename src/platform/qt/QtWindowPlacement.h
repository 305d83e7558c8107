#pragma once
// Keeping a window above all ordinary windows.
//
// The hint goes to the window's QWindow: QWidget::setWindowFlag would
// re-create the native window at once (hiding it and giving it a new id).
// Qt's X11 backend still re-creates the native window once, at the next
// show() after the hint changed, so that every window manager sees the new
// state; the window keeps its place and size, but from then on
// QWidget::winId() goes on returning the id the window had before.

#include "platform/WindowPlacement.h"

namespace tapfill::platform::qt {

class QtWindowPlacement : public WindowPlacement {
public:
    void makeTopmost(QWidget& window) override;
};

} // namespace tapfill::platform::qt
