#include "app/DataLocation.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef TAPFILL_INSTALL_BINDIR
#define TAPFILL_INSTALL_BINDIR "/usr/local/bin"
#endif

namespace tapfill {

namespace fs = std::filesystem;

std::optional<std::string> environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

fs::path baseFolder(const std::optional<std::string>& xdgValue, const std::optional<std::string>& home,
                    const char* underHome)
{
    if (xdgValue && fs::path(*xdgValue).is_absolute())
        return *xdgValue;
    if (home && fs::path(*home).is_absolute())
        return fs::path(*home) / underHome;
    return {};
}

namespace {

bool sameFolder(const fs::path& a, const fs::path& b)
{
    std::error_code ec;
    if (fs::equivalent(a, b, ec))
        return true;
    return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

/// Creates every missing folder of `folder` with mode 0700, as the XDG base
/// directory rules ask; 0 or the errno of the step that failed.
int makeFolders(const fs::path& folder)
{
    fs::path partial;
    for (const auto& part : folder) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) == 0) {
            ::chmod(partial.c_str(), 0700); // whatever the umask left
            continue;
        }
        if (errno != EEXIST)
            return errno;
    }
    return 0;
}

} // namespace

bool isInstalledCopy(const fs::path& programFolder, const fs::path& installedBinDir)
{
    if (::access(programFolder.c_str(), W_OK) != 0)
        return true;
    return !installedBinDir.empty() && sameFolder(programFolder, installedBinDir);
}

DataLocation chooseDataLocation(const DataLocationInputs& inputs)
{
    if (!inputs.requested.empty())
        return {DataLocation::Kind::Requested, inputs.requested, {}};
    if (!isInstalledCopy(inputs.programFolder, inputs.installedBinDir))
        return {DataLocation::Kind::BesideProgram, inputs.programFolder, {}};

    if (const fs::path data = baseFolder(inputs.xdgDataHome, inputs.home, ".local/share"); !data.empty())
        return {DataLocation::Kind::UserData, data / "tapfill", {}};
    return {DataLocation::Kind::UserData, {},
            "this installed copy keeps its data in the user's data folder, but neither XDG_DATA_HOME "
            "nor HOME names an absolute folder; name one with --data-dir DIR"};
}

DataLocationInputs currentDataLocationInputs(const fs::path& requested)
{
    DataLocationInputs inputs;
    inputs.requested = requested;
    const fs::path program = runningProgramPath();
    inputs.programFolder = program.empty() ? fs::current_path() : program.parent_path();
    inputs.installedBinDir = TAPFILL_INSTALL_BINDIR;
    inputs.xdgDataHome = environment("XDG_DATA_HOME");
    inputs.home = environment("HOME");
    if (!inputs.home) {
        if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
            inputs.home = user->pw_dir;
    }
    return inputs;
}

fs::path prepareDataFolder(const DataLocation& location, std::string& error)
{
    if (location.folder.empty()) {
        error = location.error;
        return {};
    }
    std::error_code ec;
    const fs::path folder = fs::absolute(location.folder, ec);
    if (location.kind == DataLocation::Kind::UserData && !fs::exists(folder, ec)) {
        if (const int failure = makeFolders(folder)) {
            error = "cannot create the data folder " + folder.string() + ": " + std::strerror(failure);
            return {};
        }
    }
    if (!fs::is_directory(folder, ec)) {
        error = "data folder " + folder.string() + " does not exist or is not a folder";
        return {};
    }
    return folder;
}

std::string describeDataLocation(const DataLocation& location)
{
    if (location.folder.empty())
        return "Data folder: none (" + location.error + ")\n";
    std::string line = "Data folder: " + location.folder.string();
    switch (location.kind) {
    case DataLocation::Kind::Requested:
        return line + " (named by --data-dir)\n";
    case DataLocation::Kind::BesideProgram:
        return line + "\n  (beside the program: this copy runs from a folder it may write to)\n";
    case DataLocation::Kind::UserData:
        return line + "\n  (the user's data folder: this copy is installed; made on first use)\n";
    }
    return line + "\n";
}

fs::path runningProgramPath()
{
    std::error_code ec;
    fs::path program = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : program;
}

} // namespace tapfill
