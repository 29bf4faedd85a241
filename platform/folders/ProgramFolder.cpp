#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {
QString& Override() {
    static QString dir;
    return dir;
}
}  // namespace

QString ProgramFolder() {
    if (!Override().isEmpty()) return Override();
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    // A tool of the game's without the application object: its own folder.
    return QFileInfo(QFile::symLinkTarget("/proc/self/exe")).absolutePath();
}

void SetProgramFolder(const QString& dir) { Override() = dir; }
