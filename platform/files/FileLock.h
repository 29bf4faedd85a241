#pragma once
// A lock shared by every copy of the game that works in one folder, also
// over a network share, that nothing standing in the folder can switch off,
// and that waits for every lock another program may hold there.
// A copy takes every lock it can, always in the same order:
// - the folder itself (flock on the directory): no file a player plants can
//   stand in its way; it excludes the copies on one machine. A POSIX lock
//   another program holds on the folder (a read lock, the only kind a
//   folder takes) is waited for too;
// - the lock file, then the file it guards (checked to be the one now in
//   the folder, as a save replaces it): each through one open description
//   that takes both kinds of lock, flock and a whole-file open-file-
//   description lock (which conflicts with fcntl and lockf locks and which
//   network shares carry to their server). Both kinds on one description
//   never conflict with each other, also where a network share's client
//   makes flock a byte-range lock. A file the player may only read is
//   opened for reading: its flock is as exclusive, its range lock a read
//   lock that still waits for another program's write lock.
// The system releases every one of them when its holder ends, however it
// ends. While another program holds one, it is waited for as long as it
// takes, or as long as the caller says.
#include <functional>
#include <optional>
#include <string>
#include <vector>

class FileLock {
public:
    // `onWait` runs once if another program holds a lock, before the wait
    // starts (the game shows that it is busy). With `keepWaiting`, the wait
    // asks it every few hundredths of a second and gives up, holding
    // nothing, once it says no.
    FileLock(const std::string& lockPath, const std::string& guardedPath, const std::function<void()>& onWait = {},
             const std::function<bool()>& keepWaiting = {});
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Whether a lock every other copy honours is held: false only where
    // neither the folder nor a file could be locked.
    bool Locked() const { return folder_ >= 0 || file_ >= 0 || guarded_ >= 0; }
    // Whether the wait was given up while another program held a lock.
    bool GaveUp() const { return gaveUp_; }

private:
    int folder_ = -1, file_ = -1, guarded_ = -1;
    bool gaveUp_ = false;
};

struct LockHolder {
    int pid = 0;
    std::string command;  // the program's name, as the system gives it
    std::string user;     // its owner's login name, or the number
};

// The first program other than this one that holds a lock on any of
// `paths`, or nothing when none can be named.
std::optional<LockHolder> FindLockHolder(const std::vector<std::string>& paths);
