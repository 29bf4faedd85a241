// Plays a few figures with the landing shadow always on and saves a picture
// of the main window: screenshot_game OUT.png
#include <QApplication>
#include <QStyleFactory>

#include "mainwindow/frmMain.h"
#include "platform/Fonts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    InstallFontSubstitutes();
    if (argc < 2) return 2;
    DefaultRandom rnd(12);
    SystemTimeOfDay clock;
    frmMain w(&rnd, &clock);
    w.Form_Load();
    w.iMirvax = 2;
    w.tmrDown->SetEnabled(false);
    w.show();
    DefaultRandom moves(5);
    while (w.iFigureNo < 14) {
        const float r = moves.Rnd();
        if (r < 0.4f) w.cmdLeftRight_MouseDown(0, 0, 0, 0, 0);
        else if (r < 0.8f) w.cmdLeftRight_MouseDown(2, 0, 0, 0, 0);
        else if (r < 0.9f) w.cmdRotate_MouseDown(0, 0, 0, 0, 0);
        for (int t = 0; t < 150; ++t) w.tmrDown_Timer();
        w.iTick = 149;
    }
    w.cmdLeftRight_MouseUp(0, 0, 0, 0, 0);
    w.cmdRotate_MouseUp(0, 0, 0, 0, 0);
    for (int t = 0; t < 6 * 150; ++t) w.tmrDown_Timer();
    app.processEvents();
    return w.grab().save(argv[1]) ? 0 : 1;
}
