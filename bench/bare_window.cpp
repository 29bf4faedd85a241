// The floor of start-up: the smallest Qt 6 Widgets program, one window of
// the game's size (462 x 614) showing a label, so it reads the desktop's font
// configuration as every window with text does. The same program as the
// floor of ../shared/tools/peer-perf.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel w("Floor");
    w.setFixedSize(462, 614);
    w.setWindowTitle("Qt floor");
    w.show();
    return app.exec();
}
