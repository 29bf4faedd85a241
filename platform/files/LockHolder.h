#pragma once
// Who holds a lock on a file or folder, where the system says: a program
// that locked it with flock or a POSIX lock is listed in /proc/locks with
// its process; locks taken through an open file description are not.
#include <optional>
#include <string>
#include <vector>

struct LockHolder {
    int pid = 0;
    std::string command;  // the program's name, as the system gives it
    std::string user;     // its owner's login name, or the number
};

// The first program other than this one that holds a lock on any of
// `paths`, or nothing when none can be named.
std::optional<LockHolder> FindLockHolder(const std::vector<std::string>& paths);
