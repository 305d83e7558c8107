#pragma once
// When the last paste's keys went out. GNOME Shell cannot tell when a
// program has read the clipboard, so the paste is timed instead: keys after
// it wait SettleMs, and the user's clipboard comes back no sooner than
// HoldMs after it, since a program that reads after that would paste the
// user's content instead of the field.

#include <chrono>

namespace tapfill::platform::gnome {

class PasteClock {
public:
    static constexpr int SettleMs = 150;
    static constexpr int HoldMs = 600;

    void pasteSent() { sent_ = std::chrono::steady_clock::now(); }
    /// How long the field must stay on the clipboard from now on.
    int holdLeftMs() const
    {
        using namespace std::chrono;
        const auto left = milliseconds(HoldMs) - duration_cast<milliseconds>(steady_clock::now() - sent_);
        return left.count() > 0 ? static_cast<int>(left.count()) : 0;
    }

private:
    std::chrono::steady_clock::time_point sent_{};
};

} // namespace tapfill::platform::gnome
