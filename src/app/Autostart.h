#pragma once
// Starting Tapfill with the desktop: an XDG autostart entry,
// $XDG_CONFIG_HOME/autostart/tapfill.desktop (~/.config/autostart by default),
// that desktops read when a session begins.

#include <filesystem>
#include <optional>
#include <string>

namespace tapfill {

/// The entry's path; empty when neither XDG_CONFIG_HOME nor HOME names an
/// absolute folder (a relative XDG_CONFIG_HOME is ignored).
std::filesystem::path autostartEntryPath(const std::optional<std::string>& xdgConfigHome,
                                         const std::optional<std::string>& home);
/// The same for this process's environment.
std::filesystem::path autostartEntryPath();

/// What Exec= runs: "tapfill" when `program` is the tapfill that the search
/// path `searchPath` finds first, else the program's absolute path.
std::string autostartCommand(const std::filesystem::path& program, const std::optional<std::string>& searchPath);

/// One argument of Exec=, quoted and escaped as desktop entries require.
std::string desktopExecArgument(const std::string& argument);

/// The entry's text for a given Exec= command line.
std::string autostartEntryText(const std::string& execLine);

/// Whether the entry is there.
bool autostartEnabled(const std::filesystem::path& entry);

struct AutostartResult {
    bool ok = false;
    std::string message; ///< what was done, or why it failed
};

/// Writes the entry (on) or removes it (off). A failure leaves any old entry
/// as it was.
AutostartResult setAutostart(bool on, const std::filesystem::path& entry, const std::string& execLine);

/// The same for this process: its environment's entry, naming the running program.
AutostartResult setAutostart(bool on);

} // namespace tapfill
