#pragma once
// The paste engine's timers on the UI thread's message loop.

#include "platform/Timer.h"
#include "platform/windows/UiThread.h"

namespace tapfill::platform::windows {

class UiTimerService : public TimerService {
public:
    explicit UiTimerService(UiThread& ui) : ui_(ui) {}
    std::unique_ptr<Timer> makeTimer(Kind kind, std::function<void()> tick) override;

private:
    UiThread& ui_;
};

} // namespace tapfill::platform::windows
