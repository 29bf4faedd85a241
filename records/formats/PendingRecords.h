#pragma once
// Records the game could not save before it ended (the session ended while
// another program held the hall of fame, the player closed the game during
// such a wait): kept in a file of the player's own, GravlokPending.txt in
// his data folder, or where that folder cannot take it in his spare folder
// (/var/tmp/gravlok-UID), three lines each (the table's folder, the name,
// the score), and put into their table by the next start.
//
// The file is kept as safely as the table: only a regular file is opened,
// no link is followed (not even the player's own), nothing blocks on the
// open; it is read up to kMaxFileBytes (whole lines); a line that does not
// belong to a record (a folder that is not absolute, a name the name
// question could not give, a score that is not a whole number a game can
// reach) is skipped, and the next start writes the file without it.
#include <QString>
#include <functional>
#include <optional>

#include "TableFile.h"

namespace pending {

inline constexpr const char* kFileName = "GravlokPending.txt";
// Some thousand records; a file of the game's holds a few.
inline constexpr qint64 kMaxFileBytes = 256 * 1024;

// Keeps `row` for the table in `tableDir`: the folder it was kept in, or
// nothing when no folder could take it.
std::optional<QString> Keep(const QString& tableDir, const hof::NewRow& row);

// Saves every record kept for the table in `tableDir` into it, in one write
// under the table's lock, and forgets those saved, each exactly once, also
// when several copies start together (one of them does it). The table's
// lock is waited for while `keepWaiting` says so; what could not be saved
// is kept for the next start. Returns how many were saved.
int MergeInto(const QString& tableDir, const std::function<bool()>& keepWaiting);

}  // namespace pending
