// The floor of start-up: the smallest Qt 6 Widgets program, one window of
// the game's size (462 x 614) showing a label, so it reads the desktop's font
// configuration as every window with text does. The same program as the
// floor of ../shared/tools/peer-perf, with the game's start-up marks
// (printed only when asked for, see StartupSteps.h) for the timeline.
#include <QApplication>
#include <QLabel>

#include "platform/runtime/StartupSteps.h"

int main(int argc, char** argv) {
    startupsteps::Mark("main: the libraries loaded");
    QApplication app(argc, argv);
    startupsteps::Mark("the toolkit connected to the display");
    QLabel w("Floor");
    startupsteps::Mark("the label (its text announced to the accessibility bus)");
    w.setFixedSize(462, 614);
    w.setWindowTitle("Qt floor");
    w.show();
    startupsteps::Mark("shown");
    return app.exec();
}
