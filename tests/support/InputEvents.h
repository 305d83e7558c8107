#pragma once
// A user's key presses and mouse clicks, delivered as the window system
// delivers them: to the widget under the mouse (or with the focus), then on
// to its parents while nobody accepts them.

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace tapfill::test {

/// Left button events at `pos` of `widget`: by default a press and release.
inline void click(QWidget* widget, QPoint pos,
                  std::initializer_list<QEvent::Type> types = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
{
    for (auto type : types) {
        const bool down = type != QEvent::MouseButtonRelease;
        QMouseEvent event(type, pos, widget->mapToGlobal(pos), Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

/// A double click in the middle of `widget`, as the second click of a pair
/// arrives: press, release, double click, release.
inline void doubleClick(QWidget* widget)
{
    click(widget, widget->rect().center(), {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                            QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease});
}

/// A key press; `text` is the character it types, empty for keys that type none.
inline void pressKey(QWidget* widget, int key, const QString& text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &event);
}

} // namespace tapfill::test
