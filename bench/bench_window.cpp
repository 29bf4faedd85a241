// Cost in the main window: a key press through the key preview to the
// repainted figure, and a full redraw of the well.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QStyleFactory>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "mainwindow/frmMain.h"
#include "platform/desktop/Fonts.h"
#include "platform/folders/ProgramFolder.h"

static frmMain* window = nullptr;

// Each key press timed on its own, for the median and the 99th percentile.
static void KeyLatencyPercentiles() {
    std::vector<double> us;
    for (int i = 0; i < 2000; ++i) {
        const Qt::Key k = i % 2 ? Qt::Key_Left : Qt::Key_Right;
        const auto t0 = std::chrono::steady_clock::now();
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &release);
        QApplication::processEvents();  // delivers the paint of the touched rectangle
        us.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(us.begin(), us.end());
    std::printf("key press to repainted figure: median %.1f us, 99th percentile %.1f us\n", us[us.size() / 2],
                us[us.size() * 99 / 100]);
}

static void BM_KeyPressToRepaint(benchmark::State& st) {
    frmMain& w = *window;
    bool right = true;
    for (auto _ : st) {
        const Qt::Key k = right ? Qt::Key_Right : Qt::Key_Left;
        right = !right;
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &release);
        w.picGravlok->repaint();  // the paint of the touched rectangle, done now
    }
}
BENCHMARK(BM_KeyPressToRepaint)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_FullWellRedraw(benchmark::State& st) {
    frmMain& w = *window;
    for (int c = 4; c <= 18; c += 2)
        for (int r = 15; r <= 30; ++r) w.arrWell.Set(c, r, true);
    for (auto _ : st) {
        w.DrawWell();
        w.DrawGrid();
        w.DrawFigureArea();
        w.picGravlok->repaint();
    }
}
BENCHMARK(BM_FullWellRedraw)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    InstallFonts(ProgramFolder());
    frmMain w;
    w.Form_Load();
    w.tmrDown->SetEnabled(false);
    w.show();
    QApplication::setActiveWindow(&w);
    w.picGravlok->setFocus();
    app.processEvents();
    window = &w;
    KeyLatencyPercentiles();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
