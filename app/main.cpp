#include <QApplication>
#include <QStyleFactory>

#include "mainwindow/frmMain.h"
#include "platform/Fonts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    InstallFontSubstitutes();
    frmMain w;
    w.Form_Load();
    w.show();
    w.picGravlok->setFocus();
    return app.exec();
}
