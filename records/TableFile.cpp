#include "TableFile.h"

#include <QDir>
#include <QLockFile>

#include "platform/TextFile.h"

namespace hof {
namespace {
QString PathIn(const QString& dir) { return QDir(dir).filePath(kFileName); }
}  // namespace

std::optional<Table> ReadFile(const QString& dir) {
    const std::optional<std::string> text = textfile::Read(PathIn(dir));
    if (!text) return std::nullopt;
    return Parse(*text);
}

Table Load(const QString& dir) {
    if (auto t = ReadFile(dir)) return *t;
    // Missing or unreadable: replaced by the single default row, once.
    textfile::Write(PathIn(dir), std::string(kRecoveryText));
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
    const bool ok = textfile::Write(PathIn(dir), Format(t), beforeReplace);
    if (locked) lock.unlock();
    if (!ok) return std::nullopt;
    return t;
}

}  // namespace hof
