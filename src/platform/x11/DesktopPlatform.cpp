#include "platform/DesktopPlatform.h"

#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtTrayIcon.h"
#include "platform/qt/QtWindowPlacement.h"
#include "platform/x11/ClipboardOwner.h"
#include "platform/x11/X11Clipboard.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11KeySender.h"
#include "platform/x11/X11MessageHook.h"
#include "platform/x11/X11WindowInterceptor.h"

#include <QGuiApplication>

namespace tapfill::platform {

std::optional<Platform> makeDesktopPlatform(std::string& error)
{
    // The clipboard that Ctrl+V pastes from must be the X11 one: with Qt on
    // Wayland, Tapfill's text would sit where X11 programs never look.
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) {
        error = "Tapfill can only fill X11 programs: run it under X11 or XWayland, "
                "e.g. with QT_QPA_PLATFORM=xcb and DISPLAY set.";
        return std::nullopt;
    }
    std::string why;
    // The same display as Qt's, also when it came from -display.
    std::string displayName;
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        displayName = x11::X11Connection::nameOf(x11->display());
    auto connection = x11::X11Connection::open(displayName, why);
    if (!connection) {
        error = "Tapfill can only fill X11 programs, and " + why
                + ": run it under X11 or XWayland, e.g. with QT_QPA_PLATFORM=xcb and DISPLAY set.";
        return std::nullopt;
    }

    std::shared_ptr<x11::ClipboardOwner> clipboard = x11::ClipboardOwner::open(displayName, why);
    if (!clipboard) {
        error = "Tapfill can only fill X11 programs, and " + why + ".";
        return std::nullopt;
    }

    Platform platform;
    platform.rightClickHook = std::make_unique<x11::X11MessageHook>(connection);
    platform.leftClickHook = std::make_unique<x11::X11MessageHook>(connection);
    platform.rightClickInterceptor = std::make_unique<x11::X11WindowInterceptor>(connection);
    platform.keys = std::make_unique<x11::X11KeySender>(connection);
    platform.clipboard = std::make_unique<x11::X11Clipboard>(clipboard);
    platform.settings = std::make_unique<qt::QtSettingsStore>();
    platform.tray = std::make_unique<qt::QtTrayIcon>();
    platform.placement = std::make_unique<qt::QtWindowPlacement>();
    platform.dialogs = std::make_unique<qt::QtDialogs>();
    return platform;
}

} // namespace tapfill::platform
