#include "ProgramFolder.h"

#include <QCoreApplication>

namespace {
QString& Override() {
    static QString dir;
    return dir;
}
}  // namespace

QString ProgramFolder() { return Override().isEmpty() ? QCoreApplication::applicationDirPath() : Override(); }

void SetProgramFolder(const QString& dir) { Override() = dir; }
