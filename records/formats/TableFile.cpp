#include "TableFile.h"

#include <QDir>

#include "platform/files/FileLock.h"
#include "platform/files/TextFile.h"

namespace hof {
namespace {
QString PathIn(const QString& dir) { return QDir(dir).filePath(kFileName); }
}  // namespace

std::optional<Table> ReadFile(const QString& dir) {
    const std::optional<std::string> text = textfile::Read(PathIn(dir), kMaxFileBytes);
    if (!text) return std::nullopt;
    return Parse(*text);
}

Table Load(const QString& dir, const QString& seed) {
    if (auto t = ReadFile(dir)) return *t;
    if (!seed.isEmpty() && QDir(seed) != QDir(dir))
        if (auto t = ReadFile(seed)) {
            textfile::Write(PathIn(dir), Format(*t));
            return *t;
        }
    // Missing or unreadable: replaced by the single default row, once.
    textfile::Write(PathIn(dir), std::string(kRecoveryText));
    if (auto t = ReadFile(dir)) return *t;
    return Parse(kRecoveryText);
}

std::optional<Table> Save(const QString& dir, const Table& fallback, const std::optional<NewRow>& row,
                          const std::function<void()>& beforeReplace, const std::function<void()>& onWait) {
    // Without a lock file (a folder where none can be made) no other copy
    // can save either; the save still reads again and replaces atomically.
    const FileLock lock((PathIn(dir) + ".lock").toStdString(), onWait);
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
    const bool ok = textfile::Write(PathIn(dir), Format(t), {beforeReplace, lock.Locked()});
    if (!ok) return std::nullopt;
    return t;
}

}  // namespace hof
