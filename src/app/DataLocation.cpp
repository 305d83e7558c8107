#include "app/DataLocation.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
#ifdef _WIN32
    // %APPDATA% is the user's own already.
    std::error_code ec;
    fs::create_directories(folder, ec);
    return ec ? (ec.value() ? ec.value() : EACCES) : 0;
#else
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
#endif
}

#ifdef _WIN32
/// Windows' access() knows nothing of the folder's access rights: only
/// making a file there tells whether the program may write to it.
bool writableFolder(const fs::path& folder)
{
    const fs::path probe = folder / (L"tapfill-write-test-" + std::to_wstring(GetCurrentProcessId()));
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}
#endif

} // namespace

bool isInstalledCopy(const fs::path& programFolder, const fs::path& installedBinDir)
{
#ifdef _WIN32
    // The installer puts the program where its user may write, and its
    // uninstaller beside it: such a copy is installed all the same.
    std::error_code ec;
    return !writableFolder(programFolder) || fs::exists(programFolder / "Uninstall.exe", ec);
#else
    if (::access(programFolder.c_str(), W_OK) != 0)
        return true;
#endif
    return !installedBinDir.empty() && sameFolder(programFolder, installedBinDir);
}

DataLocation chooseDataLocation(const DataLocationInputs& inputs)
{
    if (!inputs.requested.empty())
        return {DataLocation::Kind::Requested, inputs.requested, {}};
    if (!isInstalledCopy(inputs.programFolder, inputs.installedBinDir))
        return {DataLocation::Kind::BesideProgram, inputs.programFolder, {}};

#ifdef _WIN32
    if (!inputs.appData.empty())
        return {DataLocation::Kind::UserData, inputs.appData / "Tapfill", {}};
    return {DataLocation::Kind::UserData, {},
            "this installed copy keeps its data in %APPDATA%\\Tapfill, but APPDATA is not set; "
            "name a folder with --data-dir DIR"};
#endif
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
#ifdef _WIN32
    // An installed copy is one in a folder it may not write to.
    if (const wchar_t* appData = ::_wgetenv(L"APPDATA"); appData && *appData)
        inputs.appData = appData;
    return inputs;
#endif
    inputs.installedBinDir = TAPFILL_INSTALL_BINDIR;
    inputs.xdgDataHome = environment("XDG_DATA_HOME");
    inputs.home = environment("HOME");
#ifndef _WIN32
    if (!inputs.home) {
        if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
            inputs.home = user->pw_dir;
    }
#endif
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
            error = "cannot create the data folder " + displayPath(folder) + ": " + std::strerror(failure);
            return {};
        }
    }
    if (!fs::is_directory(folder, ec)) {
        error = "data folder " + displayPath(folder) + " does not exist or is not a folder";
        return {};
    }
    return folder;
}

std::string describeDataLocation(const DataLocation& location)
{
    if (location.folder.empty())
        return "Data folder: none (" + location.error + ")\n";
    std::string line = "Data folder: " + displayPath(location.folder);
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

std::string displayPath(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

fs::path runningProgramPath()
{
#ifdef _WIN32
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
            return fs::path(path.substr(0, length));
        path.resize(path.size() * 2);
    }
#endif
    std::error_code ec;
    fs::path program = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : program;
}

} // namespace tapfill
