// How long after a key press its sound comes out of the sound server: the
// sink's monitor is recorded in slices of a millisecond, the command that
// presses the key is started, and the time to the first slice with sound
// in it is printed in milliseconds (the command's own start counted in).
//   effect_latency MONITOR_SOURCE COMMAND [ARG ...]
// Prints "none" when nothing is heard within two seconds.
#include <pulse/error.h>
#include <pulse/simple.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

extern char** environ;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: effect_latency MONITOR_SOURCE COMMAND [ARG ...]\n");
        return 2;
    }
    const pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, 48000, 2};
    constexpr int kSlice = 48;  // a millisecond
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<uint32_t>(-1);
    attr.fragsize = kSlice * 2 * sizeof(float);
    int error = 0;
    pa_simple* rec =
        pa_simple_new(nullptr, "effect_latency", PA_STREAM_RECORD, argv[1], "monitor", &spec, nullptr, &attr, &error);
    if (!rec) {
        std::fprintf(stderr, "no recording: %s\n", pa_strerror(error));
        return 1;
    }
    using Clock = std::chrono::steady_clock;
    std::vector<float> slice(kSlice * 2);
    // Half a second of what sounds now, so a sound already playing (the
    // music) is measured against: the press must rise above it.
    float floor = 0;
    for (int i = 0; i < 500; ++i) {
        if (pa_simple_read(rec, slice.data(), slice.size() * sizeof(float), &error) < 0) return 1;
        for (float v : slice) floor = std::fmax(floor, std::fabs(v));
    }
    const float loud = std::fmax(0.01f, floor * 2.0f);
    const Clock::time_point pressed = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[2], nullptr, nullptr, argv + 2, environ) != 0) return 1;
    double ms = -1;
    while (Clock::now() - pressed < std::chrono::seconds(2)) {
        if (pa_simple_read(rec, slice.data(), slice.size() * sizeof(float), &error) < 0) break;
        float peak = 0;
        for (float v : slice) peak = std::fmax(peak, std::fabs(v));
        if (peak > loud) {
            ms = std::chrono::duration<double, std::milli>(Clock::now() - pressed).count();
            break;
        }
    }
    waitpid(pid, nullptr, 0);
    pa_simple_free(rec);
    if (ms < 0) std::printf("none\n");
    else std::printf("%.1f\n", ms);
    return 0;
}
