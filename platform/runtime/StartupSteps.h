#pragma once
// The start-up's timeline, for the performance report: when the program is
// launched with GRAVLOK_LAUNCHED_NS (the wall-clock time of its launch, ns
// since the epoch) and GRAVLOK_STARTUP_STEPS set, each step marked here is
// printed to standard error as "startup-step <ms since launch> <step>".
// Otherwise a mark is one test of a flag.
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace startupsteps {

inline long long LaunchedNs() {
    static const long long launched = [] {
        const char* t0 = std::getenv("GRAVLOK_LAUNCHED_NS");
        return t0 && std::getenv("GRAVLOK_STARTUP_STEPS") ? std::strtoll(t0, nullptr, 10) : 0LL;
    }();
    return launched;
}

inline void Mark(const char* step) {
    if (LaunchedNs() == 0) return;
    const long long now =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    std::fprintf(stderr, "startup-step %.2f %s\n", (now - LaunchedNs()) / 1e6, step);
}

}  // namespace startupsteps
