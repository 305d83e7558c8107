#include "app/RunningCopyLock.h"

#include "app/DataLocation.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tapfill {
namespace {

namespace fs = std::filesystem;

/// Only characters safe in a file name.
std::string safeName(std::string name)
{
    for (char& c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.'))
            c = '_';
    return name;
}

/// "display-1" for ":1", ":1.0" or "unix:1"; "display-localhost-10" for a
/// forwarded "localhost:10.0".
std::string displayKey(const std::optional<std::string>& display)
{
    if (!display || display->empty())
        return "display-none";
    std::string host = *display;
    std::string number;
    if (const auto colon = host.rfind(':'); colon != std::string::npos) {
        number = host.substr(colon + 1);
        host.erase(colon);
        number = number.substr(0, number.find('.')); // the screen is the same desktop
    }
    if (host == "unix")
        host.clear();
    return safeName("display-" + (host.empty() ? "" : host + "-") + number);
}

} // namespace

fs::path runningCopyLockPath(const std::optional<std::string>& runtimeDir,
                             const std::optional<std::string>& xdgConfigHome,
                             const std::optional<std::string>& home,
                             const std::optional<std::string>& display, const std::string& host)
{
    const std::string key = displayKey(display);
    if (runtimeDir && fs::path(*runtimeDir).is_absolute())
        return fs::path(*runtimeDir) / ("tapfill-" + key + ".lock");
    const fs::path config = baseFolder(xdgConfigHome, home, ".config");
    return config.empty() ? config : config / "lockfiles" / ("tapfill-" + safeName(host) + "-" + key + ".lock");
}

fs::path runningCopyLockPath()
{
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) != 0)
        host[0] = '\0';
    return runningCopyLockPath(environment("XDG_RUNTIME_DIR"), environment("XDG_CONFIG_HOME"),
                               environment("HOME"), environment("DISPLAY"), host);
}

RunningCopyLock::RunningCopyLock(const fs::path& file)
{
    if (file.empty())
        return;
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    // Close-on-exec: a program started from here must not keep the lock
    // alive after Tapfill ends.
    fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

RunningCopyLock::~RunningCopyLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool RunningCopyLock::anotherCopyRuns()
{
    if (fd_ < 0)
        return false;
    int result;
    do
        result = ::flock(fd_, LOCK_EX | LOCK_NB);
    while (result != 0 && errno == EINTR);
    return result != 0 && errno == EWOULDBLOCK;
}

void RunningCopyLock::hold()
{
    // From the exclusive lock of the check down to a shared one, or a shared
    // one beside the other copies'. A failure only means that a later copy
    // will not know of this one.
    if (fd_ >= 0)
        ::flock(fd_, LOCK_SH | LOCK_NB);
}

} // namespace tapfill
