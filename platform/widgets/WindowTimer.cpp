#include "WindowTimer.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>

#include "TimerPace.h"
#include "WorkAside.h"

WindowTimer::WindowTimer(const QString& name, int intervalMs, bool enabled, QObject* parent)
    : QObject(parent), interval_(intervalMs) {
    setObjectName(name);
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(PaceMs());
    connect(&timer_, &QTimer::timeout, this, &WindowTimer::Fire);
    SetEnabled(enabled);
}

int WindowTimer::PaceMs() const { return timerpace::Effective(interval_); }

void WindowTimer::SetInterval(int ms) {
    Wake();
    interval_ = ms;
    // A running timer goes on with the new interval from now.
    timer_.setInterval(PaceMs());
}

void WindowTimer::SetEnabled(bool on) {
    if (on == enabled_) return;
    if (!on) Wake();
    enabled_ = on;
    rephase_ = false;
    timer_.setInterval(PaceMs());
    if (on) {
        since_.start();
        timer_.start();
    } else {
        timer_.stop();
    }
}

void WindowTimer::Fire() {
    since_.start();
    if (dozing_ > 0) {
        const int passed = dozing_;
        dozing_ = 0;
        timer_.setInterval(PaceMs());
        emit Dozed(passed);
    } else if (rephase_) {
        rephase_ = false;
        timer_.setInterval(PaceMs());
    }
    emit Tick();
}

void WindowTimer::Doze(int ticks) {
    if (!enabled_ || ticks <= 0 || dozing_ > 0) return;
    dozing_ = ticks;
    rephase_ = false;
    // From the tick just delivered: the one after the dozed ones.
    const qint64 left = static_cast<qint64>(ticks + 1) * PaceMs() - since_.elapsed();
    timer_.start(static_cast<int>(left > 0 ? left : 0));
}

void WindowTimer::Wake() {
    if (dozing_ <= 0) return;
    const int pace = PaceMs();
    const qint64 elapsed = since_.elapsed();
    const int passed = static_cast<int>(std::min<qint64>(dozing_, elapsed / pace));
    dozing_ = 0;
    since_.start();
    // The next tick keeps the pace of the dozed ones.
    const qint64 left = static_cast<qint64>(passed + 1) * pace - elapsed;
    rephase_ = true;
    timer_.start(static_cast<int>(std::clamp<qint64>(left, 0, pace)));
    if (passed > 0) emit Dozed(passed);
}

namespace {
// Wakes a timer before any input reaches the program's windows.
class InputWaker : public QObject {
public:
    explicit InputWaker(WindowTimer* t) : QObject(t), t_(t) { qApp->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (IsPlayerInput(e) && t_->Dozing()) t_->Wake();
        return false;
    }

private:
    WindowTimer* t_;
};
}  // namespace

void WindowTimer::WakeOnInput() {
    if (qApp) new InputWaker(this);
}
