#include "platform/windows/WindowsWindowInterceptor.h"

#include <algorithm>

namespace tapfill::platform::windows {

WindowsWindowInterceptor::WindowsWindowInterceptor(std::shared_ptr<LowLevelInput> input)
    : input_(std::move(input))
{
    subscription_ = input_->subscribe([this](const InputReport& report) {
        if (report.kind == InputReport::Kind::Mouse && report.kept && onIntercepted) {
            bool keep = true;
            onIntercepted(report.mouse.message, keep);
        }
    });
}

WindowsWindowInterceptor::~WindowsWindowInterceptor()
{
    input_->setArmed(false);
    input_->unsubscribe(subscription_);
}

void WindowsWindowInterceptor::watch(std::vector<MouseMessage> messages)
{
    const auto has = [&](MouseMessage m) { return std::ranges::find(messages, m) != messages.end(); };
    input_->setIntercepted(has(MouseMessage::RightButtonDown), has(MouseMessage::RightButtonUp));
}

} // namespace tapfill::platform::windows
