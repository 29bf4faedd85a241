// Writes the game's icon as PNG files for the desktop: makeicon OUTDIR
// gives OUTDIR/gravlok.png (64 pixels) and OUTDIR/icons/<size>/gravlok.png.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "mainwindow/GameIcon.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: makeicon OUTDIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = out.mkpath(".") && GameIconImage(64).save(out.filePath("gravlok.png"));
    for (int size : {16, 32, 48, 64, 128}) {
        const QString dir = QString("icons/%1x%1").arg(size);
        ok = ok && out.mkpath(dir) && GameIconImage(size).save(out.filePath(dir + "/gravlok.png"));
    }
    if (!ok) std::fprintf(stderr, "makeicon: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
