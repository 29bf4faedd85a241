#pragma once
// A window timer: an interval as designed and an enabled flag. Ticks come no
// faster than the desktop's pace (TimerPace.h), on a precise timer so that
// the pace is steady.
//
// A timer whose coming ticks would change nothing may doze through them:
// the process is not woken for each, and the ticks that passed are told of
// (Dozed) before anything else can see the timer's state: at the tick that
// ends the doze, and before any input the program takes while dozing.
#include <QElapsedTimer>
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

    // Lets `ticks` ticks pass without a Tick: the next Tick comes that many
    // intervals later, after Dozed(ticks).
    void Doze(int ticks);
    // Ends a doze early: Dozed with the ticks whose time has passed, then
    // ticks at the usual pace from the last of them. Nothing while awake.
    void Wake();
    bool Dozing() const { return dozing_ > 0; }
    // Wakes the timer whenever the program is about to take an input (a key,
    // a click, the wheel), before the input reaches its window.
    void WakeOnInput();

signals:
    void Tick();
    void Dozed(int ticks);

private:
    void Fire();
    int PaceMs() const;

    QTimer timer_;
    int interval_;
    bool enabled_ = false;
    int dozing_ = 0;        // the ticks being dozed through
    QElapsedTimer since_;   // since the last tick delivered (or told of)
    bool rephase_ = false;  // the next timeout is the first at the usual pace again
};
