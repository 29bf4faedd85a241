// Cost of the fall tick: a tick in which the figure only waits, a tick that
// steps it down, and a landing that removes four rows.
#include <benchmark/benchmark.h>

#include "FakeHost.h"

static void BM_FallTickWaiting(benchmark::State& st) {
    Game g;
    g.core.EnableLoop = true;
    g.core.SpeedChange = 100;
    for (auto _ : st) {
        g.core.iTick = 0;
        g.core.tmrDown_Timer();
    }
    g.host.pans.clear();
}
BENCHMARK(BM_FallTickWaiting);

static void BM_FallTickStepDown(benchmark::State& st) {
    Game g;
    g.SetFigure("0000011001100000", 9, 0);
    for (auto _ : st) {
        g.core.iFigY = 5;
        g.core.iTick = 149;
        g.core.tmrDown_Timer();
    }
}
BENCHMARK(BM_FallTickStepDown);

static void BM_LandingFourRows(benchmark::State& st) {
    Game g;
    for (auto _ : st) {
        st.PauseTiming();
        g.core.arrWell.ReDim(22, 34);
        for (int r = 27; r <= 30; ++r) g.FillRow(r, {10});
        g.SetFigure("0000111100000000", 9, 27);
        g.core.bDropping = true;
        g.host.statistic.clear();
        g.host.sounds.clear();
        g.host.rankings.clear();
        st.ResumeTiming();
        g.core.tmrDown_Timer();
    }
}
BENCHMARK(BM_LandingFourRows);
