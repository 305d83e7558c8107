#include "app/windows/RunningCopyMutex.h"

namespace tapfill::windows {

RunningCopyMutex::RunningCopyMutex()
{
    // "Local\": one per session, as each signed-in user has a desktop of
    // their own.
    mutex_ = CreateMutexW(nullptr, FALSE, L"Local\\Tapfill.RunningCopy");
    another_ = mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

RunningCopyMutex::~RunningCopyMutex()
{
    if (mutex_)
        CloseHandle(mutex_);
}

} // namespace tapfill::windows
