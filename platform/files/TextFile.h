#pragma once
// Text files of the game: Windows-1251 on disk (a line it cannot spell as
// marked UTF-8), UTF-8 inside, lines ended by CR LF (LF or CR alone read
// too). The folder may be shared by many players, so a file is only ever
// a regular file: a symbolic link another user owns is not followed, a FIFO
// or a device is not opened, and nothing blocks on opening.
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "InPlace.h"

namespace textfile {

// The file's text, or nothing when it cannot be opened or read. A file
// longer than `maxBytes` (-1: no bound) gives its whole lines within the
// bound, never a line cut by it, and sets `*cut`.
// With `noLink`, a link at the path is not followed even when it is the
// player's own.
std::optional<std::string> Read(const QString& path, qint64 maxBytes = -1, bool* cut = nullptr, bool noLink = false);

struct WriteOptions {
    // Runs once the new text is written, before it replaces the old file
    // (tests interrupt a save there).
    std::function<void()> beforeReplace;
    // The caller holds the file's lock: every temporary file an earlier save
    // left is stale. Without it, only those older than a minute are.
    bool locked = false;
    // A link at the path is not written through even when it is the
    // player's own: the file is then not written.
    bool noLink = false;
};

// Writes the whole text through a temporary file that replaces the old file
// only when complete and on disk; where the folder refuses the replace (a
// sticky folder, a folder the player may not write), the file is rewritten
// in place. A new file gets the folder's write permissions. A file the
// player may not write (for root: one without any write bit, as a read-only
// file is for everyone on the desktop the game comes from) is not replaced.
// False when it cannot be written; the old file then stays as it was.
bool Write(const QString& path, const std::string& utf8, const WriteOptions& options = {});

}  // namespace textfile
