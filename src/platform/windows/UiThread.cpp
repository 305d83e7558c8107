#include "platform/windows/UiThread.h"

#include "platform/windows/HiddenWindow.h"

namespace tapfill::platform::windows {
namespace {
constexpr UINT RunPosted = WM_APP + 1;
constexpr wchar_t ClassName[] = L"TapfillUiThread";
} // namespace

UiThread::UiThread()
{
    window_ = createHiddenWindow(ClassName, &UiThread::procedure, this, HiddenKind::MessageOnly);
}

UiThread::~UiThread()
{
    {
        std::lock_guard lock(mutex_);
        posted_.clear();
    }
    for (const auto& timer : timers_)
        KillTimer(window_, timer.first);
    destroyHiddenWindow(window_);
}

void UiThread::post(std::function<void()> work)
{
    bool first = false;
    {
        std::lock_guard lock(mutex_);
        first = posted_.empty();
        posted_.push_back(std::move(work));
    }
    // One message drains the queue; more would only wake the loop in vain.
    if (first)
        PostMessageW(window_, RunPosted, 0, 0);
}

unsigned UiThread::after(unsigned ms, std::function<void()> work)
{
    const UINT_PTR id = nextTimer_++;
    timers_[id] = std::move(work);
    SetTimer(window_, id, ms, nullptr);
    return static_cast<unsigned>(id);
}

void UiThread::cancel(unsigned timer)
{
    if (timers_.erase(timer))
        KillTimer(window_, timer);
}

void UiThread::runPosted()
{
    std::deque<std::function<void()>> work;
    {
        std::lock_guard lock(mutex_);
        work.swap(posted_);
    }
    for (auto& item : work)
        item();
}

LRESULT CALLBACK UiThread::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = hiddenWindowOwner<UiThread>(window);
    if (self && message == RunPosted) {
        self->runPosted();
        return 0;
    }
    if (self && message == WM_TIMER) {
        KillTimer(window, wParam);
        auto timer = self->timers_.find(wParam);
        if (timer != self->timers_.end()) {
            auto work = std::move(timer->second);
            self->timers_.erase(timer);
            work();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace tapfill::platform::windows
