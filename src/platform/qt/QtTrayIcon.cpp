#include "platform/qt/QtTrayIcon.h"

#include "platform/qt/TrayTip.h"

namespace tapfill::platform::qt {
namespace {
// Which fields of the record a request carries.
constexpr std::uint32_t IconFieldValid = 2;
constexpr std::uint32_t TipFieldValid = 4;
} // namespace

int trayMouseMessage(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        return TrayMouse::LeftDoubleClick;
    case QSystemTrayIcon::Trigger:
        return TrayMouse::LeftUp;
    case QSystemTrayIcon::Context:
        return TrayMouse::RightUp;
    case QSystemTrayIcon::MiddleClick:
        return TrayMouse::MiddleUp;
    default:
        return 0;
    }
}

QtTrayIcon::~QtTrayIcon() = default;

bool QtTrayIcon::trayAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::apply(QSystemTrayIcon& icon, const TrayIconData& data)
{
    if (data.uFlags & IconFieldValid)
        icon.setIcon(data.hIcon);
    if (data.uFlags & TipFieldValid)
        icon.setToolTip(trayTipText(data.szTip));
}

bool QtTrayIcon::notifyIcon(TrayRequest request, const TrayIconData& data)
{
    const Key key{data.hWnd, data.uID};
    auto it = icons_.find(key);
    switch (request) {
    case TrayRequest::Add: {
        if (it != icons_.end())
            return false; // the shell refuses a second add of the same icon
        auto icon = std::make_unique<QSystemTrayIcon>();
        apply(*icon, data);
        connect(icon.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    const int message = trayMouseMessage(reason);
                    if (message != 0 && onMouseMessage)
                        onMouseMessage(message);
                });
        icon->show();
        icons_.emplace(key, std::move(icon));
        return true;
    }
    case TrayRequest::Modify:
        if (it == icons_.end())
            return false;
        apply(*it->second, data);
        return true;
    case TrayRequest::Delete:
        if (it == icons_.end())
            return false;
        it->second->hide();
        // Later: the request may come from the icon's own signal.
        it->second.release()->deleteLater();
        icons_.erase(it);
        return true;
    }
    return false;
}

} // namespace tapfill::platform::qt
