#include "platform/gnome/GnomePlatform.h"

#include "platform/gnome/GnomeClipboard.h"
#include "platform/gnome/GnomeIndicator.h"
#include "platform/gnome/GnomeInput.h"
#include "platform/gnome/GnomeKeySender.h"
#include "platform/gnome/GnomeWindowPlacement.h"
#include "platform/gnome/PasteClock.h"
#include "platform/gnome/ShellExtension.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtTimerService.h"

#include <cstdlib>
#include <sstream>

namespace tapfill::platform::gnome {

namespace {
std::string variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}
} // namespace

SessionEnvironment currentSessionEnvironment()
{
    return {variable("XDG_SESSION_TYPE"), variable("WAYLAND_DISPLAY"), variable("XDG_CURRENT_DESKTOP")};
}

bool isGnomeWayland(const SessionEnvironment& session)
{
    bool gnome = false;
    std::istringstream desktops(session.currentDesktop);
    for (std::string desktop; std::getline(desktops, desktop, ':');)
        gnome = gnome || desktop == "GNOME";
    const bool wayland =
        session.sessionType.empty() ? !session.waylandDisplay.empty() : session.sessionType == "wayland";
    return gnome && wayland;
}

std::optional<Platform> makeGnomePlatform(std::string& error)
{
    std::shared_ptr<ShellExtension> extension = ShellExtension::connect(error);
    if (!extension)
        return std::nullopt;
    auto pasteClock = std::make_shared<PasteClock>();

    Platform platform;
    platform.rightClickHook = std::make_unique<GnomeMessageHook>(extension);
    platform.leftClickHook = std::make_unique<GnomeMessageHook>(extension);
    platform.rightClickInterceptor = std::make_unique<GnomeWindowInterceptor>(extension);
    platform.keys = std::make_unique<GnomeKeySender>(extension, pasteClock);
    platform.clipboard = std::make_unique<GnomeClipboard>(extension, pasteClock);
    platform.timers = std::make_unique<qt::QtTimerService>();
    platform.settings = std::make_unique<qt::QtSettingsStore>();
    platform.tray = std::make_unique<GnomeIndicator>(extension);
    platform.placement = std::make_unique<GnomeWindowPlacement>(extension);
    platform.dialogs = std::make_unique<qt::QtDialogs>();
    return platform;
}

} // namespace tapfill::platform::gnome
