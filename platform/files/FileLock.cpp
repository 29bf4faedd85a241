#include "FileLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "SafeOpen.h"

namespace {
bool SetLock(int fd, short type, bool wait) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 1;
    for (;;) {
        if (fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &fl) == 0) return true;
        if (errno != EINTR) return false;
    }
}
}  // namespace

FileLock::FileLock(const std::string& lockPath, const std::function<void()>& onWait) {
    const size_t slash = lockPath.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : lockPath.substr(0, slash == 0 ? 1 : slash);
    const mode_t mode = safeopen::ModeFor(dir);
    const int fd = safeopen::Open(lockPath, O_RDWR | O_CREAT, mode);
    if (fd < 0) return;
    fchmod(fd, mode);  // the first copy's umask must not keep the others out
    if (!SetLock(fd, F_WRLCK, false)) {
        if (errno != EAGAIN && errno != EACCES) {
            close(fd);
            return;
        }
        if (onWait) onWait();
        if (!SetLock(fd, F_WRLCK, true)) {
            close(fd);
            return;
        }
    }
    fd_ = fd;
}

FileLock::~FileLock() {
    if (fd_ >= 0) close(fd_);  // closing the description releases the lock
}
