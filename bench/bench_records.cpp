// Cost of the hall of fame: reading and writing a full table, the safe save
// with its lock, and one ranking update (it runs in every landing).
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "records/formats/TableFile.h"

namespace {
hof::Table Full() {
    hof::Table t;
    for (int i = 0; i < 99; ++i) {
        t.colNames.push_back("Игрок" + std::to_string(i));
        t.colScores.push_back(990000 - 1000 * i);
    }
    return t;
}
}  // namespace

static void BM_ParseAndFormatFullTable(benchmark::State& st) {
    const std::string text = hof::Format(Full());
    for (auto _ : st) benchmark::DoNotOptimize(hof::Format(hof::Parse(text)));
}
BENCHMARK(BM_ParseAndFormatFullTable);

static void BM_LoadFullTableFromDisk(benchmark::State& st) {
    QTemporaryDir d;
    hof::Save(d.path(), Full(), std::nullopt);
    for (auto _ : st) benchmark::DoNotOptimize(hof::Load(d.path()));
}
BENCHMARK(BM_LoadFullTableFromDisk);

static void BM_SafeSaveWithANewRow(benchmark::State& st) {
    QTemporaryDir d;
    hof::Save(d.path(), Full(), std::nullopt);
    for (auto _ : st) benchmark::DoNotOptimize(hof::Save(d.path(), Full(), hof::NewRow{"Новый", 500000}));
}
BENCHMARK(BM_SafeSaveWithANewRow);

static void BM_RankingUpdateThroughAFullTable(benchmark::State& st) {
    const hof::Table t = Full();
    for (auto _ : st) {
        int16_t place = 99, passed = 0;
        benchmark::DoNotOptimize(hof::UpdateRanking(t.colScores, place, passed, 2'000'000));
    }
}
BENCHMARK(BM_RankingUpdateThroughAFullTable);

BENCHMARK_MAIN();
