#pragma once
// The notification-area icon through QSystemTrayIcon (a StatusNotifierItem
// where the desktop offers one, an XEmbed icon in the tray otherwise).

#include "platform/TrayIcon.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include <memory>

namespace tapfill::platform::qt {

class QtTrayIcon : public QObject, public TrayIcon {
    Q_OBJECT
public:
    ~QtTrayIcon() override;

    void show(const QIcon& icon, const QString& tip) override;
    void remove() override;
    bool available() const override;
    void setMenu(QMenu* menu) override;
    void showMessage(const QString& title, const QString& text) override;

    /// How long a message stays, unless the desktop decides otherwise.
    static constexpr int MessageMs = 5000;

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
    QPointer<QMenu> menu_;
};

} // namespace tapfill::platform::qt
