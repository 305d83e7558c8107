#pragma once
// The notification-area icon.

#include <QIcon>
#include <QString>

#include <functional>

class QMenu;

namespace tapfill::platform {

class TrayIcon {
public:
    virtual ~TrayIcon() = default;

    /// Puts the icon into the tray, or changes the one that is there.
    virtual void show(const QIcon& icon, const QString& tip) = 0;
    /// Takes the icon out of the tray; nothing when it is not there.
    virtual void remove() = 0;
    /// Whether the desktop has a notification area at all.
    virtual bool available() const = 0;
    /// The menu a right click on the icon opens; null for none. The caller
    /// keeps the menu alive while it is set.
    virtual void setMenu(QMenu* menu) = 0;
    /// A short message beside the icon that goes away by itself after a few
    /// seconds and takes no focus; nothing when the icon is not there.
    virtual void showMessage(const QString& title, const QString& text) = 0;

    /// The user double-clicked the icon.
    std::function<void()> onDoubleClick;
};

} // namespace tapfill::platform
