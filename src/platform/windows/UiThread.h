#pragma once
// Runs work on the user-interface thread, from any thread: a message-only
// window of that thread takes posted work and timers from its message loop.
// Whatever runs a Win32 message loop on that thread (tapfill.exe, a modal
// dialog, a test probe) runs the work too.

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <mutex>

namespace tapfill::platform::windows {

class UiThread {
public:
    /// Makes the window on the calling thread, which must run a message loop.
    UiThread();
    ~UiThread();
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    /// Runs `work` on the UI thread, after what was posted before it.
    /// Safe from any thread; dropped when the UI thread is gone.
    void post(std::function<void()> work);
    /// Runs `work` once on the UI thread after `ms` milliseconds. Returns a
    /// number for cancel(); UI thread only.
    unsigned after(unsigned ms, std::function<void()> work);
    void cancel(unsigned timer);

    HWND window() const { return window_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void runPosted();

    HWND window_ = nullptr;
    std::mutex mutex_;
    std::deque<std::function<void()>> posted_;
    std::map<UINT_PTR, std::function<void()>> timers_;
    UINT_PTR nextTimer_ = 1;
};

} // namespace tapfill::platform::windows
