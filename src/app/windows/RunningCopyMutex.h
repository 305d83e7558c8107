#pragma once
// Whether another copy of Tapfill runs in this user's session: every copy
// holds a named mutex until it ends. Windows drops it when the process
// ends, however it ends, so a copy that was killed leaves no false alarm,
// as the running flag in the registry does.

#include <windows.h>

namespace tapfill::windows {

class RunningCopyMutex {
public:
    /// Takes (or shares) the mutex; this copy counts as running from now on.
    RunningCopyMutex();
    ~RunningCopyMutex();
    RunningCopyMutex(const RunningCopyMutex&) = delete;
    RunningCopyMutex& operator=(const RunningCopyMutex&) = delete;

    /// Another copy held the mutex when this one took it. A mutex that
    /// cannot be made counts as no other copy: the check must never keep
    /// Tapfill from starting.
    bool anotherCopyRuns() const { return another_; }

private:
    HANDLE mutex_ = nullptr;
    bool another_ = false;
};

} // namespace tapfill::windows
