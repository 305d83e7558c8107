#pragma once
// Tapfill's icon in GNOME's top bar, shown by the extension (GNOME shows no
// tray icons): the same double click, tool tip, menu and short messages as
// the tray icon elsewhere. The menu is Tapfill's own QMenu, mirrored: its
// entries are sent to the shell whenever they change, and a choice there
// triggers the action here.

#include "platform/TrayIcon.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace tapfill::platform::gnome {

class ShellExtension;

class GnomeIndicator : public QObject, public TrayIcon {
    Q_OBJECT
public:
    explicit GnomeIndicator(std::shared_ptr<ShellExtension> extension);

    void show(const QIcon& icon, const QString& tip) override;
    void remove() override;
    bool available() const override { return true; }
    void setMenu(QMenu* menu) override;
    void showMessage(const QString& title, const QString& text) override;

private:
    void sendMenu();

    std::shared_ptr<ShellExtension> extension_;
    QPointer<QMenu> menu_;
    bool menuQueued_ = false;
};

} // namespace tapfill::platform::gnome
