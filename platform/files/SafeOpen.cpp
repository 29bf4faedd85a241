#include "SafeOpen.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace safeopen {
namespace {
// Linux follows a link in a sticky folder only for its owner; the game
// follows that rule in every folder.
bool LinkAllowed(const struct stat& link) { return link.st_uid == geteuid(); }
}  // namespace

int Open(const std::string& path, int flags, mode_t mode) {
    struct stat st {};
    int follow = O_NOFOLLOW;
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if ((flags & O_NOFOLLOW) || !LinkAllowed(st)) return -1;
        follow = 0;
    }
    const int fd = open(path.c_str(), (flags & ~O_NOFOLLOW) | follow | O_NONBLOCK | O_CLOEXEC, mode);
    if (fd < 0) return -1;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return -1;
    }
    // Reads and writes of a regular file block as usual.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

std::optional<std::string> WriteTarget(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) return path;  // a new file
    if (S_ISREG(st.st_mode)) return path;
    if (!S_ISLNK(st.st_mode) || !LinkAllowed(st)) return std::nullopt;
    char real[PATH_MAX];
    if (!realpath(path.c_str(), real)) return std::nullopt;
    if (stat(real, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return std::string(real);
}

mode_t ModeFor(const std::string& dir) {
    struct stat st {};
    mode_t mode = 0644;
    if (stat(dir.c_str(), &st) == 0) mode |= st.st_mode & (S_IWGRP | S_IWOTH);
    return mode;
}

void SyncFolder(const std::string& dir) {
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace safeopen
