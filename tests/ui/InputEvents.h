#pragma once
// A user's key presses and mouse clicks, delivered as the window system
// delivers them: to the widget under the mouse (or with the focus), then on
// to its parents while nobody accepts them.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QWidget>

namespace tapfill::test {

/// The offscreen platform has no input devices, so Qt makes default ones as
/// children of the application object. The test program's application is a
/// static that is destroyed at exit, after Qt's device registry, and would
/// take the devices with it into a crash; so they belong to nobody.
inline void detachDefaultInputDevices()
{
    static const bool detached = [] {
        for (const QInputDevice* device : {static_cast<const QInputDevice*>(QPointingDevice::primaryPointingDevice()),
                                           QInputDevice::primaryKeyboard()})
            const_cast<QInputDevice*>(device)->setParent(nullptr);
        return true;
    }();
    (void)detached;
}

/// A left button press and release at `pos` of `widget`.
inline void click(QWidget* widget, QPoint pos)
{
    detachDefaultInputDevices();
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, pos, widget->mapToGlobal(pos), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

/// A key press; `text` is the character it types, empty for keys that type none.
inline void pressKey(QWidget* widget, int key, const QString& text = {})
{
    detachDefaultInputDevices();
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &event);
}

} // namespace tapfill::test
