#pragma once
// Timers on the user-interface thread, for logic that must not depend on a
// toolkit: the paste engine's delivery, acceptance and settle timers.

#include <functional>
#include <memory>

namespace tapfill::platform {

class Timer {
public:
    virtual ~Timer() = default;
    /// (Re)starts the timer: its function runs `intervalMs` from now, and
    /// for a repeating timer every `intervalMs` after that until stop().
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    /// Started and not yet stopped; a one-shot timer stops as it fires.
    virtual bool isActive() const = 0;
};

class TimerService {
public:
    virtual ~TimerService() = default;
    enum class Kind { OneShot, Repeating };
    /// A stopped timer that runs `tick` on the event loop when it fires,
    /// to the millisecond as far as the system allows.
    virtual std::unique_ptr<Timer> makeTimer(Kind kind, std::function<void()> tick) = 0;
};

} // namespace tapfill::platform
