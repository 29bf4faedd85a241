// Cost of the sound calls the game makes inside key handlers and fall ticks,
// and what the sound adds to the start-up. Rendered through the loopback
// device, so the numbers do not depend on the machine having speakers; the
// calls made per play are the same as on a real output.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/SoundDevice.h"
#include "sound/DirectSound.h"
#include "sound/clsDMCtrl.h"

namespace {
const std::string kDir = GRAVLOK_BIN_DIR;
const char* const kEffects[] = {"down1",   "left1",    "right1", "rotate1", "drop1",
                                "dellin1", "gravlok1", "drop2",  "down2",   "inverse1"};
bool master = true;

using Clock = std::chrono::steady_clock;
double Us(Clock::time_point t0) { return std::chrono::duration<double, std::micro>(Clock::now() - t0).count(); }

std::unique_ptr<clsDMCtrl> Effect(const char* name) {
    auto c = std::make_unique<clsDMCtrl>(&master);
    c->DMCtrlPath(kDir + "/sound/" + name + ".WAV");
    c->DMCtrlEnabled(true);
    c->DMCtrlFreq(32000);
    return c;
}

// What the first start-up spends on sound: the music read and started, and
// each effect decoded on its first play.
void StartUpCost() {
    int32_t freq = 0;
    BkgMusic().mainFreq = &freq;
    auto t0 = Clock::now();
    BkgMusicLoad(kDir + "/Sound/bkgmusic.WAV");
    BkgMusicSetVolume(-800);
    BkgMusicSetFrequency(18600);
    const double music = Us(t0);
    double effects = 0;
    for (const char* e : kEffects) {
        auto c = Effect(e);
        t0 = Clock::now();
        c->DMCtrlPlay();
        effects += Us(t0);
    }
    std::printf("start-up: music read and started %.0f us, ten effects decoded on first play %.0f us in all\n", music,
                effects);
}

void PlayPercentiles() {
    auto c = Effect("rotate1");
    c->DMCtrlPlay();
    std::vector<double> us;
    for (int i = 0; i < 2000; ++i) {
        const auto t0 = Clock::now();
        c->DMCtrlPlay();
        us.push_back(Us(t0));
        sounddevice::Render(256);  // the mixer runs between presses
    }
    std::sort(us.begin(), us.end());
    std::printf("DMCtrlPlay of a cached effect: median %.1f us, 99th percentile %.1f us\n", us[us.size() / 2],
                us[us.size() * 99 / 100]);
}
}  // namespace

static void BM_DMCtrlPlayCached(benchmark::State& st) {
    auto c = Effect("left1");
    c->DMCtrlPlay();
    for (auto _ : st) c->DMCtrlPlay();
}
BENCHMARK(BM_DMCtrlPlayCached);

static void BM_BkgMusicSetPan(benchmark::State& st) {
    int16_t pan = -5000;
    for (auto _ : st) {
        BkgMusicSetPan(pan);
        pan = static_cast<int16_t>(pan >= 5000 ? -5000 : pan + 500);
    }
}
BENCHMARK(BM_BkgMusicSetPan);

int main(int argc, char** argv) {
    const auto t0 = Clock::now();
    if (!sounddevice::UseLoopback(44100)) {
        std::printf("no loopback device\n");
        return 1;
    }
    std::printf("device and context opened in %.0f us\n", Us(t0));
    StartUpCost();
    PlayPercentiles();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    BkgMusicShutdown();
    return 0;
}
