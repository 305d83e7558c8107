#pragma once
// Timers of Qt's event loop, precise to the millisecond: a paste comes a
// fixed 100 ms after its click, not 95..105 ms.

#include "platform/Timer.h"

namespace tapfill::platform::qt {

class QtTimerService : public TimerService {
public:
    std::unique_ptr<Timer> makeTimer(Kind kind, std::function<void()> tick) override;
};

} // namespace tapfill::platform::qt
