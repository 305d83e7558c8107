#pragma once
// Whether another copy of Tapfill runs for this user on this desktop.
//
// Every running copy holds a shared lock (flock) on one file per user and
// display. The system drops the lock when the process ends, however it ends,
// so a copy that was killed or lost its machine leaves no false alarm, as the
// running flag in the settings does. A copy that finds the lock free takes it
// exclusively for a moment: another copy holds it shared as long as it runs.

#include <filesystem>
#include <optional>
#include <string>

namespace tapfill {

/// The lock file of the copies on `display` (DISPLAY; ":1" and ":1.0" are one
/// desktop): in $XDG_RUNTIME_DIR, which is the user's and dies with the
/// session; without one, in the settings folder beside the running flag,
/// named after the host too, since a home folder may be shared between
/// machines. Relative folders are ignored; empty when no folder is known.
std::filesystem::path runningCopyLockPath(const std::optional<std::string>& runtimeDir,
                                          const std::optional<std::string>& xdgConfigHome,
                                          const std::optional<std::string>& home,
                                          const std::optional<std::string>& display, const std::string& host);
/// The same for this process's environment and host.
std::filesystem::path runningCopyLockPath();

class RunningCopyLock {
public:
    /// Opens (or makes, private to the user) the lock file; takes no lock yet.
    explicit RunningCopyLock(const std::filesystem::path& file);
    ~RunningCopyLock();
    RunningCopyLock(const RunningCopyLock&) = delete;
    RunningCopyLock& operator=(const RunningCopyLock&) = delete;

    /// True when another live copy holds the lock. A file that cannot be
    /// opened or locked counts as no other copy: the check must never keep
    /// Tapfill from starting.
    bool anotherCopyRuns();
    /// Marks this copy as running until the process ends, alongside any other.
    void hold();

private:
    int fd_ = -1;
};

} // namespace tapfill
