#include "VbTimer.h"

#include "TimerPace.h"

VbTimer::VbTimer(const QString& name, int intervalMs, bool enabled, QObject* parent)
    : QObject(parent), interval_(intervalMs) {
    setObjectName(name);
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(timerpace::Effective(intervalMs));
    connect(&timer_, &QTimer::timeout, this, &VbTimer::Tick);
    SetEnabled(enabled);
}

void VbTimer::SetInterval(int ms) {
    interval_ = ms;
    // A running timer goes on with the new interval from now.
    timer_.setInterval(timerpace::Effective(ms));
}

void VbTimer::SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on)
        timer_.start();
    else
        timer_.stop();
}
