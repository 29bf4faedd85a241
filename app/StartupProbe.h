#pragma once
// For the performance report: when GRAVLOK_LAUNCHED_NS holds the wall-clock
// time (ns since the epoch) at which the game was launched, the time until
// the main window is first on the screen is printed to standard error as
// "startup-ms <milliseconds>". Without the variable nothing happens.
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "FirstShowing.h"

namespace startupprobe {
inline void Watch(QWindow* w) {
    const char* t0 = std::getenv("GRAVLOK_LAUNCHED_NS");
    if (!t0) return;
    FirstShowing::Then(w, [launchedNs = std::strtoll(t0, nullptr, 10)] {
        const long long now =
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
                .count();
        std::fprintf(stderr, "startup-ms %.1f\n", (now - launchedNs) / 1e6);
    });
}
}  // namespace startupprobe
