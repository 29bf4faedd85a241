#include "TableFile.h"

#include <QDir>

#include "SharedTable.h"
#include "platform/files/FileLock.h"
#include "platform/files/TextFile.h"
#include "platform/folders/DataFolder.h"

namespace hof {

QString PathIn(const QString& dir) { return QDir(dir).filePath(kFileName); }
QString LockPathIn(const QString& dir) { return PathIn(dir) + ".lock"; }

std::optional<Table> ReadFile(const QString& dir, bool* tooLong) {
    const std::optional<std::string> text = textfile::Read(PathIn(dir), kMaxFileBytes, tooLong);
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
                          const std::function<void()>& beforeReplace, const std::function<void()>& onWait,
                          const std::function<bool()>& keepWaiting, SaveTrouble* trouble) {
    std::vector<NewRow> rows;
    if (row) rows.push_back(*row);
    return SaveRows(dir, fallback, rows, beforeReplace, onWait, keepWaiting, trouble);
}

std::optional<Table> SaveRows(const QString& dir, const Table& fallback, const std::vector<NewRow>& rows,
                              const std::function<void()>& beforeReplace, const std::function<void()>& onWait,
                              const std::function<bool()>& keepWaiting, SaveTrouble* trouble) {
    // The table every account shares is written by its writer alone.
    if (const std::optional<std::string> writer = SharedTableWriterFor(dir)) {
        if (trouble) *trouble = SaveTrouble::None;
        if (rows.empty()) return ReadFile(dir).value_or(fallback);  // nothing to change
        return SaveShared(*writer, dir, rows, onWait, keepWaiting, trouble);
    }
    SaveTrouble ignored;
    SaveTrouble& why = trouble ? *trouble : ignored;
    why = SaveTrouble::None;
    // Never a save without a lock every other copy honours.
    const FileLock lock(LockPathIn(dir).toStdString(), PathIn(dir).toStdString(), onWait, keepWaiting);
    if (!lock.Locked()) {
        why = lock.GaveUp() ? SaveTrouble::Busy : SaveTrouble::NoLock;
        return std::nullopt;
    }
    Table t;
    bool tooLong = false;
    if (auto fresh = ReadFile(dir, &tooLong)) {
        if (tooLong) {
            why = SaveTrouble::TooLong;
            return std::nullopt;  // left as it was
        }
        t = std::move(*fresh);
        for (const NewRow& row : rows) {
            const long at = InsertIndex(t, row.score);
            if (at >= 0) InsertAt(t, static_cast<size_t>(at), OneRowName(row.name), row.score);
        }
    } else {
        t = fallback;
    }
    const bool ok = textfile::Write(PathIn(dir), Format(t), {beforeReplace, lock.Locked()});
    if (!ok) {
        why = SaveTrouble::NotWritten;
        return std::nullopt;
    }
    return t;
}

}  // namespace hof
