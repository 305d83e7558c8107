#include "platform/qt/QtWindowPlacement.h"

#include <QWidget>
#include <QWindow>

namespace tapfill::platform::qt {

void QtWindowPlacement::makeTopmost(QWidget& widget)
{
    QWidget* window = widget.window();
    QWindow* handle = window->windowHandle();
    if (!handle) {
        // Nothing native to re-create yet: the window is made with the hint
        // when it is first shown. It stays hidden.
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        return;
    }
    handle->setFlag(Qt::WindowStaysOnTopHint, true);
    // Restacking only: no activation, so the program being filled keeps the
    // keyboard focus and the next paste still lands there.
    if (window->isVisible())
        window->raise();
}

} // namespace tapfill::platform::qt
