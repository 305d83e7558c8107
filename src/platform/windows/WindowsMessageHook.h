#pragma once
// MessageHook on Windows: the reports of the shared low-level hooks that
// this hook watches.

#include "platform/MessageHook.h"
#include "platform/windows/LowLevelInput.h"

#include <memory>

namespace tapfill::platform::windows {

class WindowsMessageHook : public MessageHook {
public:
    explicit WindowsMessageHook(std::shared_ptr<LowLevelInput> input);
    ~WindowsMessageHook() override;

    void watch(std::vector<MouseMessage> messages, WatchedKey key) override;
    /// Keys a PC keyboard lacks are refused when programs.conf is read;
    /// should one arrive all the same, F12 stays.
    void setPasteModeKey(const KeyChord& key) override;

private:
    void onReport(const InputReport& report);

    std::shared_ptr<LowLevelInput> input_;
    int subscription_ = 0;
    std::vector<MouseMessage> messages_;
    WatchedKey key_ = WatchedKey::None;
};

} // namespace tapfill::platform::windows
