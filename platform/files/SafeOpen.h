#pragma once
// Opening the game's files in a folder other players may write: only
// regular files, never through another user's symbolic link, never blocking
// (a FIFO or a device put in a file's place is refused at once).
#include <sys/types.h>
#include <optional>
#include <string>

namespace safeopen {

// Opens an existing regular file (flags O_RDONLY, O_WRONLY or O_RDWR, with
// O_CREAT to make it, with O_NOFOLLOW to follow no link at all, not even
// the player's own); -1 when it is anything else or cannot be opened.
int Open(const std::string& path, int flags, mode_t mode = 0);
// The file a save of `path` writes: `path` itself, or the file a link of the
// player's own points to; nothing for another user's link or a path that is
// there but is not a regular file.
std::optional<std::string> WriteTarget(const std::string& path);
// The mode for a new file in `dir`: readable by all, writable by whoever may
// write the folder (its group, everybody).
mode_t ModeFor(const std::string& dir);
// Puts a rename in `dir` on the disk.
void SyncFolder(const std::string& dir);

}  // namespace safeopen
