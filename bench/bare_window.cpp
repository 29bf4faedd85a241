// The yardstick of start-up: the smallest Qt Widgets program with one window
// of the game's size, timed by the same probe as the game. With --text it
// draws one line of text, so it reads the desktop's font configuration as
// every window with text does.
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

#include "app/StartupProbe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.resize(462, 614);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) (new QLabel("Gravlok", &w))->move(10, 10);
    w.winId();
    StartupProbe::Watch(w.windowHandle());
    w.show();
    return app.exec();
}
