#pragma once
// When the last paste's keys went out, shared by the key sender and the
// clipboard. GNOME Shell cannot tell when a program reads the clipboard, so
// the clipboard reports a read by the focused program SettleMs after the
// paste keys went out (the engine then waits its quiet time before Tab,
// Enter and the user's content), and gives the user's content back no
// sooner than HoldMs after them: a program that read after that would
// paste the user's content instead of the field.

#include <chrono>
#include <functional>

namespace tapfill::platform::gnome {

class PasteClock {
public:
    static constexpr int SettleMs = 150;
    static constexpr int HoldMs = 600;

    /// The paste keys went out to the program with process `processId`.
    void pasteSent(long processId)
    {
        sent_ = std::chrono::steady_clock::now();
        if (onPasteSent)
            onPasteSent(processId);
    }
    /// How long the field must stay on the clipboard from now on.
    int holdLeftMs() const
    {
        using namespace std::chrono;
        const auto left = milliseconds(HoldMs) - duration_cast<milliseconds>(steady_clock::now() - sent_);
        return left.count() > 0 ? static_cast<int>(left.count()) : 0;
    }

    std::function<void(long processId)> onPasteSent;

private:
    std::chrono::steady_clock::time_point sent_{};
};

} // namespace tapfill::platform::gnome
