#pragma once
// A lock shared by every copy of the game that works in one folder, also
// over a network share: an open-file-description lock on a lock file, which
// the system releases when its holder ends, however it ends (no stale
// locks, no clocks compared). While another live copy holds it, the lock is
// waited for as long as it takes.
#include <functional>
#include <string>

class FileLock {
public:
    // `onWait` runs once if the lock is held by another copy, before the
    // wait starts (the game shows that it is busy).
    explicit FileLock(const std::string& lockPath, const std::function<void()>& onWait = {});
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // False when no lock file could be made or opened (a folder nobody may
    // write): there is no other copy to exclude then that could save.
    bool Locked() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};
