#pragma once
// The platform on GNOME under Wayland: Tapfill is a native Wayland client,
// and its GNOME Shell extension does what such a client may not.

#include "platform/Platform.h"

#include <optional>
#include <string>

namespace tapfill::platform::gnome {

inline constexpr const char* ExtensionUuid = "tapfill@tapfill.github.io";

/// The session's environment, as far as the choice of platform goes.
struct SessionEnvironment {
    std::string sessionType;    ///< XDG_SESSION_TYPE
    std::string waylandDisplay; ///< WAYLAND_DISPLAY
    std::string currentDesktop; ///< XDG_CURRENT_DESKTOP, a colon-separated list
};

SessionEnvironment currentSessionEnvironment();

/// GNOME under Wayland: XDG_CURRENT_DESKTOP names GNOME, and the session is
/// a Wayland one (XDG_SESSION_TYPE, or WAYLAND_DISPLAY when that is unset).
bool isGnomeWayland(const SessionEnvironment& session);

/// Every service, once the extension has taken Tapfill as its client. Call
/// it once the QApplication exists. Without the extension it returns
/// nothing and puts one message for the user into `error`, which says how
/// to turn the extension on.
std::optional<Platform> makeGnomePlatform(std::string& error);

/// What to tell a user whose extension is not running, by its state as
/// GNOME Shell reports it (org.gnome.Shell.Extensions); -1 when the shell
/// knows nothing of it.
std::string extensionMissingMessage(int state, const std::string& shellError);

} // namespace tapfill::platform::gnome
