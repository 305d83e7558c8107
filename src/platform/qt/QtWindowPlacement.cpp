#include "platform/qt/QtWindowPlacement.h"

#include <QWidget>
#include <QWindow>

namespace tapfill::platform::qt {

void QtWindowPlacement::makeTopmost(QWidget& widget)
{
    QWidget* window = widget.window();
    // A window never shown has no native window yet. Making it now (without
    // showing it) gives the hint a place to live. The widget flag would be
    // no better: setting it re-parents the widget, which moves it by its
    // frame.
    if (!window->windowHandle())
        window->winId();
    QWindow* handle = window->windowHandle();
    if (!handle)
        return;
    handle->setFlag(Qt::WindowStaysOnTopHint, true);
    // Restacking only: no activation, so the program being filled keeps the
    // keyboard focus and the next paste still lands there.
    if (window->isVisible())
        window->raise();
}

} // namespace tapfill::platform::qt
