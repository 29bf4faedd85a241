#include "DataFolder.h"

#include <unistd.h>

#include <QDir>
#include <QFile>

#include "ProgramFolder.h"

namespace {
QString PlayersFolder() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) base = QDir::homePath() + "/.local/share";
    return base + "/gravlok";
}
}  // namespace

bool DataBesideProgram() { return access(QFile::encodeName(ProgramFolder()).constData(), W_OK | X_OK) == 0; }

QString PlayersDataFolder() {
    const QString dir = PlayersFolder();
    QDir().mkpath(dir);
    return dir;
}

QString DataFolder() { return DataBesideProgram() ? ProgramFolder() : PlayersDataFolder(); }
