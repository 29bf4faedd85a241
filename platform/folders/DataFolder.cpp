#include "DataFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <mutex>

#include "ProgramFolder.h"

namespace {
QString PlayersFolder() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) base = QDir::homePath() + "/.local/share";
    return base + "/gravlok";
}
}  // namespace

// Decided once for a program folder, at its first use: a folder made
// read-only during a game sends no record to another table; its save is
// told of as not written.
bool DataBesideProgram() {
    static std::mutex guard;
    static QString decidedFor;
    static bool beside = false;
    const QString dir = ProgramFolder();
    const std::lock_guard<std::mutex> lock(guard);
    if (decidedFor.isNull() || dir != decidedFor) {
        decidedFor = dir;
        beside = access(QFile::encodeName(dir).constData(), W_OK | X_OK) == 0;
    }
    return beside;
}

QString PlayersDataFolder() {
    const QString dir = PlayersFolder();
    QDir().mkpath(dir);
    return dir;
}

QString DataFolder() { return DataBesideProgram() ? ProgramFolder() : PlayersDataFolder(); }

namespace {
struct SharedTablePlace {
    QString folder, writer;  // empty: as installed
};
SharedTablePlace& SharedOverride() {
    static SharedTablePlace place;
    return place;
}

// The writer counts only where the package made it set-group-ID (an
// administrator who took the bit away turned sharing off).
bool WriterReady(const QString& writer, bool needGroup) {
    struct stat st {};
    if (stat(QFile::encodeName(writer).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    return (st.st_mode & S_IXOTH) && (!needGroup || (st.st_mode & S_ISGID));
}
}  // namespace

void SetSharedTable(const QString& folder, const QString& writer) { SharedOverride() = {folder, writer}; }

namespace {
QString SharedFolder() {
    const QString& o = SharedOverride().folder;
    return o.isEmpty() ? QStringLiteral(GRAVLOK_SHARED_TABLE_DIR) : o;
}
}  // namespace

std::optional<std::string> SharedTableWriter() {
    const SharedTablePlace& o = SharedOverride();
    const bool installed = o.folder.isEmpty();  // a portable folder has no writer: it keeps its own table
    const QString writer = installed ? QDir(ProgramFolder()).filePath("gravlok-table") : o.writer;
    if (!WriterReady(writer, installed) || !QFileInfo(SharedFolder()).isDir()) return std::nullopt;
    return QFile::encodeName(writer).toStdString();
}

std::optional<std::string> SharedTableWriterFor(const QString& dir) {
    std::optional<std::string> writer = SharedTableWriter();
    if (!writer || QDir(dir) != QDir(SharedFolder())) return std::nullopt;
    return writer;
}

QString TableFolder() { return SharedTableWriter() ? SharedFolder() : DataFolder(); }

namespace {
QString& SpareBase() {
    static QString base = QStringLiteral("/var/tmp");
    return base;
}
}  // namespace

void SetSpareFolderBase(const QString& base) { SpareBase() = base.isEmpty() ? QStringLiteral("/var/tmp") : base; }

std::optional<QString> SpareDataFolder(bool make) {
    const QString dir = SpareBase() + "/gravlok-" + QString::number(geteuid());
    const QByteArray path = QFile::encodeName(dir);
    if (make) mkdir(path.constData(), 0700);
    // Another user may have put anything at that name first.
    const int fd = open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    const bool own =
        fstat(fd, &st) == 0 && st.st_uid == geteuid() && ((st.st_mode & 077) == 0 || fchmod(fd, 0700) == 0);
    close(fd);
    if (!own) return std::nullopt;
    return dir;
}
