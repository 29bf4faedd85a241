// Writes the game's icon for the desktop: makeicon OUTDIR gives
// OUTDIR/gravlok.png, 128 pixels square.
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
    const bool ok = out.mkpath(".") && GameIconImage(128).save(out.filePath("gravlok.png"));
    if (!ok) std::fprintf(stderr, "makeicon: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
