#include "WindowTimer.h"

#include "TimerPace.h"

WindowTimer::WindowTimer(const QString& name, int intervalMs, bool enabled, QObject* parent)
    : QObject(parent), interval_(intervalMs) {
    setObjectName(name);
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(timerpace::Effective(intervalMs));
    connect(&timer_, &QTimer::timeout, this, &WindowTimer::Tick);
    SetEnabled(enabled);
}

void WindowTimer::SetInterval(int ms) {
    interval_ = ms;
    // A running timer goes on with the new interval from now.
    timer_.setInterval(timerpace::Effective(ms));
}

void WindowTimer::SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on) timer_.start();
    else timer_.stop();
}
