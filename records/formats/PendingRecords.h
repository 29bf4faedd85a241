#pragma once
// Records the game could not save before it ended (the session ended while
// another program held the hall of fame, the player closed the game during
// such a wait): kept in a file of the player's own, GravlokPending.txt in
// his data folder, three lines each (the table's folder, the name, the
// score), and put into their table by the next start.
#include <QString>
#include <functional>

#include "TableFile.h"

namespace pending {

inline constexpr const char* kFileName = "GravlokPending.txt";

// Keeps `row` for the table in `tableDir`; false when it could not be kept.
bool Keep(const QString& tableDir, const hof::NewRow& row);

// Saves every record kept for the table in `tableDir` into it and forgets
// those saved, each exactly once, also when several copies start together
// (one of them does it). The table's lock is waited for while `keepWaiting`
// says so; what could not be saved is kept for the next start. Returns how
// many were saved.
int MergeInto(const QString& tableDir, const std::function<bool()>& keepWaiting);

}  // namespace pending
