#include "FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <pwd.h>
#include <sys/sysmacros.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "SafeOpen.h"

namespace {
enum class Try { Taken, Busy, Failed };

Try Outcome(int result) {
    if (result == 0) return Try::Taken;
    return errno == EAGAIN || errno == EACCES || errno == EWOULDBLOCK ? Try::Busy : Try::Failed;
}

Try TakeFlock(int fd, bool block) {
    int r;
    do r = flock(fd, LOCK_EX | (block ? 0 : LOCK_NB));
    while (r != 0 && errno == EINTR);
    return Outcome(r);
}

// A whole-file open-file-description lock: it meets every byte-range lock
// another program holds, fcntl's and lockf's included.
Try TakeRange(int fd, short type, bool block) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    int r;
    do r = fcntl(fd, block ? F_OFD_SETLKW : F_OFD_SETLK, &fl);
    while (r != 0 && errno == EINTR);
    return Outcome(r);
}

// Whether no other program holds a byte-range lock on the folder.
Try FolderFree(int fd) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    if (fcntl(fd, F_OFD_GETLK, &fl) != 0) return Try::Failed;  // a file system without such locks
    if (fl.l_type == F_UNLCK) return Try::Taken;
    errno = EAGAIN;
    return Try::Busy;
}

void Drop(int& fd) {
    if (fd >= 0) close(fd);  // closing the description releases its locks
    fd = -1;
}

bool SameFile(int fd, const std::string& path) {
    struct stat a {
    }, b{};
    return fstat(fd, &a) == 0 && stat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Takes locks, telling the caller once when another program holds one, and
// waits for it: for good, or trying again while the caller wants to wait.
class Waiter {
public:
    Waiter(const std::function<void()>& onWait, const std::function<bool()>& keepWaiting)
        : onWait_(onWait), keepWaiting_(keepWaiting) {}
    bool GaveUp() const { return gaveUp_; }

    // `attempt(block)` tries the lock; `canBlock` says whether it can wait
    // in the system rather than be asked again.
    template <class Attempt>
    Try Take(Attempt attempt, bool canBlock) {
        Try t = attempt(false);
        if (t != Try::Busy) return t;
        if (!told_ && onWait_) onWait_();
        told_ = true;
        if (!keepWaiting_ && canBlock) return attempt(true);
        for (;;) {
            if (keepWaiting_ && !keepWaiting_()) {
                gaveUp_ = true;
                return Try::Busy;
            }
            usleep(40 * 1000);
            t = attempt(false);
            if (t != Try::Busy) return t;
        }
    }

    // Opens `path` for its locks (for writing where the player may, else
    // for reading) and takes both kinds on it: the descriptor, or -1 when
    // neither could be taken or the wait was given up.
    int LockFile(const std::string& path, bool create, mode_t mode) {
        int fd = safeopen::Open(path, O_RDWR | (create ? O_CREAT : 0), mode);
        const bool writable = fd >= 0;
        if (writable && create) fchmod(fd, mode);  // the first copy's umask must not keep the others out
        if (!writable) fd = safeopen::Open(path, O_RDONLY);
        if (fd < 0) return -1;
        const Try whole = Take([fd](bool block) { return TakeFlock(fd, block); }, true);
        const short type = writable ? F_WRLCK : F_RDLCK;
        const Try range =
            gaveUp_ ? Try::Busy : Take([fd, type](bool block) { return TakeRange(fd, type, block); }, true);
        if (gaveUp_ || (whole != Try::Taken && range != Try::Taken)) Drop(fd);
        return fd;
    }

private:
    const std::function<void()>& onWait_;
    const std::function<bool()>& keepWaiting_;
    bool told_ = false, gaveUp_ = false;
};
}  // namespace

FileLock::FileLock(const std::string& lockPath, const std::string& guardedPath, const std::function<void()>& onWait,
                   const std::function<bool()>& keepWaiting) {
    const size_t slash = lockPath.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : lockPath.substr(0, slash == 0 ? 1 : slash);
    Waiter waiter(onWait, keepWaiting);
    auto gaveUp = [&] {
        if (!waiter.GaveUp()) return false;
        gaveUp_ = true;
        Drop(guarded_);
        Drop(file_);
        Drop(folder_);
        return true;
    };

    folder_ = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_ >= 0) {
        const int fd = folder_;
        const Try flocked = waiter.Take([fd](bool block) { return TakeFlock(fd, block); }, true);
        if (gaveUp()) return;
        waiter.Take([fd](bool) { return FolderFree(fd); }, false);
        if (gaveUp()) return;
        if (flocked != Try::Taken) Drop(folder_);
    }

    file_ = waiter.LockFile(lockPath, true, safeopen::ModeFor(dir));
    if (gaveUp()) return;

    // The guarded file: a save replaces it, so a lock won on a file that is
    // no longer the one in the folder is taken again on the new one.
    for (int tries = 0; tries < 100; ++tries) {
        guarded_ = waiter.LockFile(guardedPath, false, 0);
        if (gaveUp() || guarded_ < 0 || SameFile(guarded_, guardedPath)) break;
        Drop(guarded_);
    }
}

FileLock::~FileLock() {
    Drop(guarded_);
    Drop(file_);
    Drop(folder_);
}

namespace {
std::string FirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string UserOf(int pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("Uid:", 0) != 0) continue;
        std::istringstream fields(line.substr(4));
        unsigned uid = 0;
        if (!(fields >> uid)) break;
        if (const passwd* p = getpwuid(uid)) return p->pw_name;
        return std::to_string(uid);
    }
    return {};
}
}  // namespace

std::optional<LockHolder> FindLockHolder(const std::vector<std::string>& paths) {
    std::vector<struct stat> files;
    for (const std::string& p : paths) {
        struct stat st {};
        if (stat(p.c_str(), &st) == 0) files.push_back(st);
    }
    // "1: FLOCK  ADVISORY  WRITE 1234 08:01:5678 0 EOF"; a waiter's line
    // has "->" after the number.
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line)) {
        std::istringstream in(line);
        std::string number, kind, mode, access, id;
        long pid = 0;
        if (!(in >> number >> kind) || kind == "->") continue;
        if (!(in >> mode >> access >> pid >> id) || pid <= 0 || pid == getpid()) continue;
        unsigned major = 0, minor = 0;
        unsigned long inode = 0;
        if (std::sscanf(id.c_str(), "%x:%x:%lu", &major, &minor, &inode) != 3) continue;
        for (const struct stat& st : files) {
            if (st.st_ino != inode || ::major(st.st_dev) != major || ::minor(st.st_dev) != minor) continue;
            LockHolder h;
            h.pid = static_cast<int>(pid);
            h.command = FirstLine("/proc/" + std::to_string(pid) + "/comm");
            h.user = UserOf(h.pid);
            return h;
        }
    }
    return std::nullopt;
}
