#include "platform/windows/UiTimerService.h"

namespace tapfill::platform::windows {
namespace {

class UiTimer : public Timer {
public:
    UiTimer(UiThread& ui, TimerService::Kind kind, std::function<void()> tick)
        : ui_(ui), repeating_(kind == TimerService::Kind::Repeating), tick_(std::move(tick))
    {
    }
    ~UiTimer() override { stop(); }

    void start(int intervalMs) override
    {
        stop();
        interval_ = intervalMs < 0 ? 0u : static_cast<unsigned>(intervalMs);
        arm();
    }
    void stop() override
    {
        if (pending_)
            ui_.cancel(pending_);
        pending_ = 0;
    }
    bool isActive() const override { return pending_ != 0; }

private:
    void arm()
    {
        pending_ = ui_.after(interval_, [this] {
            pending_ = 0;
            // The next tick is due before this one runs, so that the tick
            // may stop or restart its own timer.
            if (repeating_)
                arm();
            tick_();
        });
    }

    UiThread& ui_;
    bool repeating_;
    std::function<void()> tick_;
    unsigned interval_ = 0;
    unsigned pending_ = 0;
};

} // namespace

std::unique_ptr<Timer> UiTimerService::makeTimer(Kind kind, std::function<void()> tick)
{
    return std::make_unique<UiTimer>(ui_, kind, std::move(tick));
}

} // namespace tapfill::platform::windows
