#pragma once
// Keeping a window above all ordinary windows.
//
// For a window that exists natively the hint goes to its QWindow:
// QWidget::setWindowFlag would re-create the native window at once (hiding
// it and giving it a new id). Qt's X11 backend still re-creates the native
// window once, at the next show() after the hint changed, so that every
// window manager sees the new state; from then on QWidget::winId() keeps
// returning the id the window had before. A window that was never created
// takes the hint as a widget flag and is created with it, at no cost.

#include "platform/WindowPlacement.h"

namespace tapfill::platform::qt {

class QtWindowPlacement : public WindowPlacement {
public:
    void makeTopmost(QWidget& window) override;
};

} // namespace tapfill::platform::qt
