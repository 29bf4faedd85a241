#pragma once
// The hall-of-fame file GravlokFathers.txt in the program folder: read,
// created when missing, and saved safely when several copies of the game
// share the folder.
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "HallOfFame.h"

namespace hof {

inline constexpr const char* kFileName = "GravlokFathers.txt";

// The game writes at most 99 rows; a longer table can only come from an
// edited file, and is read in full up to here (some 700 000 rows). A longer
// file gives its whole rows within the bound and is never written: it is
// left as it was, like a table file that cannot be written.
inline constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

// The table of the file in `dir`, or nothing when it cannot be opened;
// `*tooLong` tells a file past the bound.
std::optional<Table> ReadFile(const QString& dir, bool* tooLong = nullptr);
// The table for a new game: the file's, or after writing the one-row
// recovery file, that one. A missing file starts from the table in `seed`
// (the program folder, when the files live elsewhere) if there is one. A
// folder that cannot be written gives the recovery row without a file.
Table Load(const QString& dir, const QString& seed = QString());

// A result this game adds to the table.
struct NewRow {
    std::string name;
    double score = 0;
};

// Saves under a lock shared by every copy of the game: the file is read
// again, this game's row put in at its place (its name made one row, as
// `OneRowName` makes it), and the whole table written through a temporary
// file that then replaces the old one. The lock is
// waited for as long as another live copy holds it. `fallback` is
// written when the file cannot be read. Returns the table saved, or nothing
// when the file could not be written (it is then left as it was).
// `beforeReplace` runs after the new text is written, before it replaces the
// old file (tests interrupt the save there); `onWait` when another copy
// holds the lock and the save waits for it.
// With `keepWaiting`, the wait for the lock asks it every few hundredths of
// a second and gives the save up once it says no. `*trouble` tells why
// nothing was saved.
// For the shared table, the writer says why: Refused (not a valid record),
// NoTable (the package's table is missing), NoSpace, ReadOnlyDisk.
enum class SaveTrouble { None, Busy, NoLock, TooLong, NotWritten, Refused, NoTable, NoSpace, ReadOnlyDisk };
std::optional<Table> Save(const QString& dir, const Table& fallback, const std::optional<NewRow>& row,
                          const std::function<void()>& beforeReplace = {}, const std::function<void()>& onWait = {},
                          const std::function<bool()>& keepWaiting = {}, SaveTrouble* trouble = nullptr);
// The same for several rows at once, in one write (the records kept for the
// next start).
std::optional<Table> SaveRows(const QString& dir, const Table& fallback, const std::vector<NewRow>& rows,
                              const std::function<void()>& beforeReplace = {}, const std::function<void()>& onWait = {},
                              const std::function<bool()>& keepWaiting = {}, SaveTrouble* trouble = nullptr);

// The file's path in `dir`, and the lock file's.
QString PathIn(const QString& dir);
QString LockPathIn(const QString& dir);

}  // namespace hof
