#pragma once
// A window timer: an interval as designed and an enabled flag. Ticks come no
// faster than the desktop's pace (TimerPace.h), on a precise timer so that
// the pace is steady.
#include <QTimer>

class WindowTimer : public QObject {
    Q_OBJECT
public:
    WindowTimer(const QString& name, int intervalMs, bool enabled, QObject* parent);

    int Interval() const { return interval_; }
    void SetInterval(int ms);
    bool Enabled() const { return enabled_; }
    // Enabling a running timer changes nothing; disabling stops it.
    void SetEnabled(bool on);

signals:
    void Tick();

private:
    QTimer timer_;
    int interval_;
    bool enabled_ = false;
};
