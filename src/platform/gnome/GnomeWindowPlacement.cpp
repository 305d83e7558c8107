#include "platform/gnome/GnomeWindowPlacement.h"

#include "platform/gnome/ShellExtension.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace tapfill::platform::gnome {

GnomeWindowPlacement::GnomeWindowPlacement(std::shared_ptr<ShellExtension> extension)
    : extension_(std::move(extension))
{
}

void GnomeWindowPlacement::makeTopmost(QWidget& widget)
{
    QWidget* window = widget.window();
    if (window->isVisible())
        keepAbove(window, window->windowTitle(), window->pos(), Tries);
}

void GnomeWindowPlacement::keepAbove(QWidget* window, const QString& title, QPoint place, int triesLeft)
{
    extension_->call(QStringLiteral("KeepWindowAbove"), {title},
                     [this, window = QPointer<QWidget>(window), title, place,
                      triesLeft](const std::optional<QVariantList>& reply) {
                         if (!window)
                             return;
                         const bool found = reply && !reply->isEmpty() && reply->constFirst().toBool();
                         if (found && !placed_.contains(window.data())) {
                             placed_.insert(window.data());
                             extension_->call(QStringLiteral("MoveWindow"), {title, place.x(), place.y()});
                         } else if (!found && triesLeft > 1) {
                             QTimer::singleShot(TryMs, this, [this, window, title, place, triesLeft] {
                                 if (window)
                                     keepAbove(window, title, place, triesLeft - 1);
                             });
                         }
                     });
}

} // namespace tapfill::platform::gnome
