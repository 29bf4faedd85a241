// Writes the game's icon for the desktop: makeicon OUTDIR gives
// OUTDIR/gravlok.png, 128 pixels square; makeicon OUTDIR SIZE... gives
// OUTDIR/SIZExSIZE/apps/gravlok.png for each size (an icon theme's layout).
#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "mainwindow/GameIcon.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: makeicon OUTDIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = out.mkpath(".");
    if (argc == 2) ok = ok && GameIconImage(128).save(out.filePath("gravlok.png"));
    for (int i = 2; i < argc && ok; ++i) {
        const int size = std::atoi(argv[i]);
        const QString dir = QString("%1x%1/apps").arg(size);
        ok = size > 0 && out.mkpath(dir) && GameIconImage(size).save(out.filePath(dir + "/gravlok.png"));
    }
    if (!ok) std::fprintf(stderr, "makeicon: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
