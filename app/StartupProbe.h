#pragma once
// For the performance report: when GRAVLOK_LAUNCHED_NS holds the wall-clock
// time (ns since the epoch) at which the game was launched, the time until
// the main window is first on the screen is printed to standard error as
// "startup-ms <milliseconds>". Without the variable nothing happens.
#include <QEvent>
#include <QObject>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>

class StartupProbe : public QObject {
public:
    static void Watch(QWindow* w) {
        const char* t0 = std::getenv("GRAVLOK_LAUNCHED_NS");
        if (!t0 || !w) return;
        w->installEventFilter(new StartupProbe(std::strtoll(t0, nullptr, 10), w));
    }

private:
    StartupProbe(long long launchedNs, QObject* parent) : QObject(parent), launchedNs_(launchedNs) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Expose && static_cast<QWindow*>(o)->isExposed()) {
            const long long now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                      std::chrono::system_clock::now().time_since_epoch())
                                      .count();
            std::fprintf(stderr, "startup-ms %.1f\n", (now - launchedNs_) / 1e6);
            o->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
    long long launchedNs_;
};
