#include "platform/gnome/GnomeWindowPlacement.h"

#include "platform/gnome/ShellExtension.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace tapfill::platform::gnome {

namespace {
/// Tapfill's own windows, not its menus, pop-ups and tool tips, which the
/// toolkit places next to what they belong to.
bool isPlacedWindow(QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !widget->isWindow())
        return false;
    const Qt::WindowType type = widget->windowType();
    return type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen;
}
} // namespace

GnomeWindowPlacement::GnomeWindowPlacement(std::shared_ptr<ShellExtension> extension)
    : extension_(std::move(extension))
{
    qApp->installEventFilter(this);
}

void GnomeWindowPlacement::makeTopmost(QWidget& widget)
{
    QWidget* window = widget.window();
    if (window->isVisible())
        untilFound(QStringLiteral("KeepWindowAbove"), {window->windowTitle()}, Tries);
}

bool GnomeWindowPlacement::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && isPlacedWindow(watched)) {
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show) {
            const QPoint place = window->pos();
            untilFound(QStringLiteral("MoveWindow"), {window->windowTitle(), place.x(), place.y()}, Tries);
        } else if (const auto reply = extension_->ask(QStringLiteral("WindowPosition"), {window->windowTitle()});
                   reply && reply->size() == 3 && reply->at(0).toBool()) {
            window->move(reply->at(1).toInt(), reply->at(2).toInt());
        }
    }
    return QObject::eventFilter(watched, event);
}

void GnomeWindowPlacement::untilFound(const QString& method, QVariantList arguments, int triesLeft)
{
    extension_->call(method, arguments, [this, method, arguments, triesLeft](const std::optional<QVariantList>& reply) {
        const bool found = reply && !reply->isEmpty() && reply->constFirst().toBool();
        if (!found && triesLeft > 1)
            QTimer::singleShot(TryMs, this, [this, method, arguments, triesLeft] {
                untilFound(method, arguments, triesLeft - 1);
            });
    });
}

} // namespace tapfill::platform::gnome
