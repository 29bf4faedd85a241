#pragma once
// The hall of fame every account of the computer shares (the installed
// game's, in /var/games/gravlok): the game reads it as any table, and saves
// into it only through its set-group-ID writer (records/sharedtable), which
// takes the records on its standard input and says on its standard output
// when it waits for another program's lock and when it holds them all.
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "TableFile.h"
#include "WriterExit.h"

namespace hof {

// Saves `rows` into the shared table in `dir` through `writer`: the best 99
// of them, each name made one row. `onWait` runs once the writer waits for
// another program; while it waits, `keepWaiting` is asked every few
// hundredths of a second and, once it says no, the writer is stopped before
// it has changed anything. Returns the table as the file then holds it, or
// nothing with the reason in `*trouble`.
std::optional<Table> SaveShared(const std::string& writer, const QString& dir, const std::vector<NewRow>& rows,
                                const std::function<void()>& onWait, const std::function<bool()>& keepWaiting,
                                SaveTrouble* trouble);

}  // namespace hof
