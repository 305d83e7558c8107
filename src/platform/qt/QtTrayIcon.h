#pragma once
// The notification-area icon through QSystemTrayIcon (a StatusNotifierItem
// where the desktop offers one, an XEmbed icon in the tray otherwise).

#include "platform/TrayIcon.h"

#include <QObject>
#include <QSystemTrayIcon>

#include <map>
#include <memory>
#include <utility>

namespace tapfill::platform::qt {

/// The tray's mouse notification for one of Qt's activation reasons;
/// 0 for a reason that has none.
int trayMouseMessage(QSystemTrayIcon::ActivationReason reason);

class QtTrayIcon : public QObject, public TrayIcon {
    Q_OBJECT
public:
    ~QtTrayIcon() override;

    bool notifyIcon(TrayRequest request, const TrayIconData& data) override;
    bool trayAvailable() const override;

private:
    void apply(QSystemTrayIcon& icon, const TrayIconData& data);

    using Key = std::pair<WindowId, std::uint32_t>;
    std::map<Key, std::unique_ptr<QSystemTrayIcon>> icons_;
};

} // namespace tapfill::platform::qt
