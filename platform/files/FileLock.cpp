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
bool SetLock(int fd, bool wait) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 1;
    for (;;) {
        if (fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &fl) == 0) return true;
        if (errno != EINTR) return false;
    }
}

bool SetFolderLock(int fd, bool wait) {
    for (;;) {
        if (flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) == 0) return true;
        if (errno != EINTR) return false;
    }
}

bool Busy(int err) { return err == EAGAIN || err == EACCES || err == EWOULDBLOCK; }

// Takes a lock without waiting, else tells the caller once and waits for it:
// for good, or trying again while the caller wants to keep waiting.
template <class Take>
bool TakeOrWait(Take take, const std::function<void()>& onWait, const std::function<bool()>& keepWaiting, bool& told,
                bool& gaveUp) {
    if (take(false)) return true;
    if (!Busy(errno)) return false;
    if (!told && onWait) onWait();
    told = true;
    if (!keepWaiting) return take(true);
    for (;;) {
        if (!keepWaiting()) {
            gaveUp = true;
            return false;
        }
        usleep(40 * 1000);
        if (take(false)) return true;
        if (!Busy(errno)) return false;
    }
}

void Drop(int& fd) {
    if (fd >= 0) close(fd);  // closing the description releases its lock
    fd = -1;
}

bool SameFile(int fd, const std::string& path) {
    struct stat a {
    }, b{};
    return fstat(fd, &a) == 0 && stat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}
}  // namespace

FileLock::FileLock(const std::string& lockPath, const std::string& guardedPath, const std::function<void()>& onWait,
                   const std::function<bool()>& keepWaiting) {
    const size_t slash = lockPath.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : lockPath.substr(0, slash == 0 ? 1 : slash);
    bool told = false;

    folder_ = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_ >= 0 &&
        !TakeOrWait([this](bool w) { return SetFolderLock(folder_, w); }, onWait, keepWaiting, told, gaveUp_))
        Drop(folder_);
    if (gaveUp_) return;

    const mode_t mode = safeopen::ModeFor(dir);
    file_ = safeopen::Open(lockPath, O_RDWR | O_CREAT, mode);
    if (file_ >= 0) {
        fchmod(file_, mode);  // the first copy's umask must not keep the others out
        if (!TakeOrWait([this](bool w) { return SetLock(file_, w); }, onWait, keepWaiting, told, gaveUp_)) Drop(file_);
    }
    if (gaveUp_) {
        Drop(folder_);
        return;
    }

    // The guarded file: a save replaces it, so a lock won on a file that is
    // no longer the one in the folder is taken again on the new one.
    for (int tries = 0; tries < 100; ++tries) {
        guarded_ = safeopen::Open(guardedPath, O_RDWR);
        if (guarded_ < 0) break;
        if (!TakeOrWait([this](bool w) { return SetLock(guarded_, w); }, onWait, keepWaiting, told, gaveUp_)) {
            Drop(guarded_);
            if (gaveUp_) {
                Drop(file_);
                Drop(folder_);
            }
            break;
        }
        if (SameFile(guarded_, guardedPath)) break;
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
