#pragma once
// A timer used as a one-shot delay: a handler enables it, and its tick
// handler disables it as its last step. A tick that does not disable it
// ticks again one interval later. Enabling an enabled timer changes nothing.

#include <QObject>
#include <QTimer>

#include <functional>

namespace tapfill::ui {

class IntervalTimer {
public:
    explicit IntervalTimer(int intervalMs)
    {
        // The paste comes a fixed 100 ms after the click, not 95..105 ms.
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(intervalMs);
    }

    void setEnabled(bool enabled)
    {
        if (enabled && !timer_.isActive())
            timer_.start();
        else if (!enabled)
            timer_.stop();
    }
    bool enabled() const { return timer_.isActive(); }
    int interval() const { return timer_.interval(); }

    template <typename Handler>
    void onTick(QObject* context, Handler handler)
    {
        QObject::connect(&timer_, &QTimer::timeout, context, handler);
    }

private:
    QTimer timer_;
};

} // namespace tapfill::ui
