#include "platform/qt/QtTimerService.h"

#include <QTimer>

namespace tapfill::platform::qt {

namespace {

class QtTimer : public Timer {
public:
    QtTimer(TimerService::Kind kind, std::function<void()> tick)
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setSingleShot(kind == TimerService::Kind::OneShot);
        QObject::connect(&timer_, &QTimer::timeout, [tick = std::move(tick)] { tick(); });
    }
    void start(int intervalMs) override { timer_.start(intervalMs); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

} // namespace

std::unique_ptr<Timer> QtTimerService::makeTimer(Kind kind, std::function<void()> tick)
{
    return std::make_unique<QtTimer>(kind, std::move(tick));
}

} // namespace tapfill::platform::qt
