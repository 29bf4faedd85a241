#include "TableFile.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSaveFile>

#include "platform/CodePage.h"

namespace hof {
namespace {
QString PathIn(const QString& dir) { return QDir(dir).filePath(kFileName); }

bool WriteText(const QString& path, const std::string& utf8, const std::function<void()>& beforeReplace) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const std::string bytes = codepage::ToCp1251(utf8);
    if (f.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        f.cancelWriting();
        return false;
    }
    if (beforeReplace) beforeReplace();
    return f.commit();
}
}  // namespace

std::optional<Table> ReadFile(const QString& dir) {
    QFile f(PathIn(dir));
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return std::nullopt;
    return Parse(codepage::FromCp1251(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))));
}

Table Load(const QString& dir) {
    if (auto t = ReadFile(dir)) return *t;
    // Missing or unreadable: replaced by the single default row, once.
    WriteText(PathIn(dir), std::string(kRecoveryText), {});
    if (auto t = ReadFile(dir)) return *t;
    return Parse(kRecoveryText);
}

std::optional<Table> Save(const QString& dir, const Table& fallback, const std::optional<NewRow>& row,
                          const std::function<void()>& beforeReplace) {
    QLockFile lock(PathIn(dir) + ".lock");
    lock.setStaleLockTime(10000);  // a copy that died holding it frees it after 10 s
    // Without a lock (a folder where none can be made, or a copy that holds
    // it too long) the save still reads again and replaces atomically.
    const bool locked = lock.tryLock(15000);
    Table t;
    if (auto fresh = ReadFile(dir)) {
        t = std::move(*fresh);
        if (row) {
            const long at = InsertIndex(t, row->score);
            if (at >= 0) InsertAt(t, static_cast<size_t>(at), row->name, row->score);
        }
    } else {
        t = fallback;
    }
    const bool ok = WriteText(PathIn(dir), Format(t), beforeReplace);
    if (locked) lock.unlock();
    if (!ok) return std::nullopt;
    return t;
}

}  // namespace hof
