// The yardstick of start-up: the smallest Qt Widgets program with one window
// of the game's size, timed by the same probe as the game.
#include <QApplication>
#include <QWidget>

#include "app/StartupProbe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.resize(462, 614);
    w.winId();
    StartupProbe::Watch(w.windowHandle());
    w.show();
    return app.exec();
}
