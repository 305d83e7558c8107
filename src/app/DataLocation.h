#pragma once
// Where a copy of Tapfill keeps its data files.
//
// A copy run from a folder it may write to (a build folder, an unpacked
// copy) keeps them beside the program. An installed copy keeps them in the
// user's data folder, $XDG_DATA_HOME/tapfill or ~/.local/share/tapfill
// (on Windows %APPDATA%\Tapfill, where every program keeps its own; there
// a copy with the installer's Uninstall.exe beside it is installed). A
// copy counts as installed when its folder is not writable, or when it lives
// in the folder the build was configured to install programs into: root may
// write to /usr/bin, yet /usr/bin/tapfill is still an installed copy.
// --data-dir names the folder outright and wins over both.

#include <filesystem>
#include <optional>
#include <string>

namespace tapfill {

struct DataLocation {
    enum class Kind {
        Requested,     ///< --data-dir
        BesideProgram, ///< the program's own, writable folder
        UserData,      ///< the user's data folder, for an installed copy
    };
    Kind kind = Kind::BesideProgram;
    std::filesystem::path folder; ///< empty when it could not be worked out
    std::string error;            ///< why the folder is empty
};

/// What the choice depends on; environment values are nullopt when unset.
struct DataLocationInputs {
    std::filesystem::path requested;       ///< --data-dir, empty if not given
    std::filesystem::path programFolder;   ///< the folder of the running program
    std::filesystem::path installedBinDir; ///< where the build installs programs
    std::optional<std::string> xdgDataHome;
    std::optional<std::string> home;
#ifdef _WIN32
    std::filesystem::path appData; ///< %APPDATA%, empty if unset
#endif
};

/// Whether the program in `programFolder` is an installed copy.
bool isInstalledCopy(const std::filesystem::path& programFolder, const std::filesystem::path& installedBinDir);

/// Decides the folder without touching the disk.
DataLocation chooseDataLocation(const DataLocationInputs& inputs);

/// The inputs of this process: its program's folder, the compiled-in bindir
/// and the environment.
DataLocationInputs currentDataLocationInputs(const std::filesystem::path& requested);

/// The folder ready for use, as an absolute path: the user's data folder is
/// created (private to the user, 0700) when missing, the others must exist.
/// Empty with `error` set when that is not possible.
std::filesystem::path prepareDataFolder(const DataLocation& location, std::string& error);

/// One line for --help: the folder this copy uses, and why.
std::string describeDataLocation(const DataLocation& location);

/// A path for messages, in UTF-8 whatever the system's code page.
std::string displayPath(const std::filesystem::path& path);

/// The running program's own path, empty if unknown.
std::filesystem::path runningProgramPath();

/// An environment variable's value; nullopt when it is unset.
std::optional<std::string> environment(const char* name);

/// A folder of the XDG base directory rules: the variable's value
/// (XDG_DATA_HOME, XDG_CONFIG_HOME) when it is absolute, a relative one being
/// invalid; else `underHome` in HOME (".local/share", ".config"); empty when
/// HOME is no absolute folder either.
std::filesystem::path baseFolder(const std::optional<std::string>& xdgValue, const std::optional<std::string>& home,
                                 const char* underHome);

} // namespace tapfill
