#include "platform/x11/PasteFetchWatcher.h"

#include "platform/x11/ClipboardOwner.h"

namespace tapfill::platform::x11 {

PasteFetchWatcher::PasteFetchWatcher(std::shared_ptr<ClipboardOwner> clipboard)
    : clipboard_(std::move(clipboard))
{
    settle_.setSingleShot(true);
    settle_.setInterval(SettleMs);
    fallback_.setSingleShot(true);
    fallback_.setInterval(FallbackMs);
    connect(&settle_, &QTimer::timeout, this, [this] { finish(true); });
    connect(&fallback_, &QTimer::timeout, this, [this] { finish(fetched_); });
    clipboard_->onTextFetched = [this](unsigned long requestor) { onTextFetched(requestor); };
}

PasteFetchWatcher::~PasteFetchWatcher()
{
    clipboard_->onTextFetched = nullptr;
}

void PasteFetchWatcher::start(unsigned long focusWindow, std::function<void(bool fetched)> finished)
{
    focusClient_ = focusWindow != 0 ? clipboard_->clientOf(focusWindow) : 0;
    fetched_ = false;
    finished_ = std::move(finished);
    settle_.stop();
    fallback_.start();
}

void PasteFetchWatcher::onTextFetched(unsigned long requestor)
{
    if (!finished_ || (focusClient_ != 0 && clipboard_->clientOf(requestor) != focusClient_))
        return;
    fetched_ = true;
    settle_.start();
}

void PasteFetchWatcher::finish(bool fetched)
{
    settle_.stop();
    fallback_.stop();
    auto finished = std::move(finished_);
    finished_ = nullptr;
    if (finished)
        finished(fetched);
}

} // namespace tapfill::platform::x11
