#include "platform/windows/WindowsMessageHook.h"

#include "config/KeyNames.h"

#include <algorithm>

namespace tapfill::platform::windows {

WindowsMessageHook::WindowsMessageHook(std::shared_ptr<LowLevelInput> input) : input_(std::move(input))
{
    subscription_ = input_->subscribe([this](const InputReport& report) { onReport(report); });
}

WindowsMessageHook::~WindowsMessageHook()
{
    input_->unsubscribe(subscription_);
}

void WindowsMessageHook::watch(std::vector<MouseMessage> messages, WatchedKey key)
{
    messages_ = std::move(messages);
    key_ = key;
}

void WindowsMessageHook::setPasteModeKey(const KeyChord& key)
{
    const auto pcKey = config::findPcKey(key.keysym);
    input_->setPasteModeKey(pcKey ? pcKey->virtualKey : VK_F12, key.ctrl, key.alt, key.shift, key.super);
}

void WindowsMessageHook::onReport(const InputReport& report)
{
    if (report.kind == InputReport::Kind::PasteModeKey) {
        if (key_ == WatchedKey::PasteModeKey && onKey)
            onKey();
        return;
    }
    if (onMouse && std::ranges::find(messages_, report.mouse.message) != messages_.end())
        onMouse(report.mouse);
}

} // namespace tapfill::platform::windows
