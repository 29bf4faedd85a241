// Cost in the main window: a key press through the key preview to the
// repainted figure, and a full redraw of the well.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QStyleFactory>
#include <cstdlib>

#include "mainwindow/frmMain.h"
#include "platform/Fonts.h"

static frmMain* window = nullptr;

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
    InstallFontSubstitutes();
    frmMain w;
    w.Form_Load();
    w.tmrDown->SetEnabled(false);
    w.show();
    QApplication::setActiveWindow(&w);
    w.picGravlok->setFocus();
    app.processEvents();
    window = &w;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
