#include "platform/qt/QtTrayIcon.h"

namespace tapfill::platform::qt {

QtTrayIcon::~QtTrayIcon()
{
    if (icon_)
        icon_->hide();
}

bool QtTrayIcon::available() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::show(const QIcon& icon, const QString& tip)
{
    if (!icon_) {
        icon_ = std::make_unique<QSystemTrayIcon>();
        // A double click reports a single click (Trigger) first: only the
        // double click acts.
        connect(icon_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::DoubleClick && onDoubleClick)
                onDoubleClick();
        });
    }
    icon_->setContextMenu(menu_);
    icon_->setIcon(icon);
    icon_->setToolTip(tip);
    icon_->show();
}

void QtTrayIcon::setMenu(QMenu* menu)
{
    menu_ = menu;
    if (icon_)
        icon_->setContextMenu(menu);
}

void QtTrayIcon::showMessage(const QString& title, const QString& text)
{
    if (icon_ && icon_->isVisible())
        icon_->showMessage(title, text, QSystemTrayIcon::Warning, MessageMs);
}

void QtTrayIcon::remove()
{
    if (!icon_)
        return;
    icon_->hide();
    // Later: the request may come from the icon's own signal.
    icon_.release()->deleteLater();
}

} // namespace tapfill::platform::qt
