#include "TextFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>

#include "CodePage.h"
#include "SafeOpen.h"

namespace textfile {
namespace {
bool WriteAll(int fd, const std::string& bytes, off_t at) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = pwrite(fd, bytes.data() + done, bytes.size() - done, at + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Everything written reaches the disk, or the file is not good: a full disk
// or a quota often shows only here.
bool Finish(int fd) {
    const bool synced = fsync(fd) == 0 || errno == EINVAL;  // EINVAL: a file system without sync
    return close(fd) == 0 && synced;
}

std::string TempPrefix(const std::string& name) { return "." + name + ".tmp"; }

// Removes the temporary files earlier saves of `name` left behind.
void RemoveStaleTemps(const std::string& dir, const std::string& name, bool all) {
    DIR* d = opendir(dir.c_str());
    if (!d) return;
    const std::string prefix = TempPrefix(name);
    const time_t now = time(nullptr);
    while (dirent* e = readdir(d)) {
        const std::string entry = e->d_name;
        if (entry.rfind(prefix, 0) != 0) continue;
        const std::string path = dir + "/" + entry;
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (all || now - st.st_mtime > 60) unlink(path.c_str());
    }
    closedir(d);
}

// Rewrites the file itself: for folders where it cannot be replaced.
bool WriteInPlace(const std::string& path, const std::string& bytes) {
    const int fd = safeopen::Open(path, O_WRONLY);
    if (fd < 0) return false;
    const off_t size = static_cast<off_t>(bytes.size());
    struct stat st {};
    // Room for the longer text first, so a full disk stops the save before
    // it has changed a byte.
    if (fstat(fd, &st) != 0 || (size > st.st_size && posix_fallocate(fd, 0, size) != 0) || !WriteAll(fd, bytes, 0) ||
        ftruncate(fd, size) != 0) {
        close(fd);
        return false;
    }
    return Finish(fd);
}

bool RefusedByFolder(int err) { return err == EACCES || err == EPERM || err == EROFS; }
}  // namespace

std::optional<std::string> Read(const QString& path, qint64 maxBytes) {
    const int fd = safeopen::Open(QFileInfo(path).absoluteFilePath().toStdString(), O_RDONLY);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    char buf[65536];
    const size_t limit = maxBytes < 0 ? SIZE_MAX : static_cast<size_t>(maxBytes);
    bool ok = true;
    while (bytes.size() < limit) {
        const ssize_t n = read(fd, buf, std::min(sizeof buf, limit - bytes.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        bytes.append(buf, static_cast<size_t>(n));
    }
    close(fd);
    if (!ok) return std::nullopt;
    return codepage::LinesFromFile(bytes);
}

bool Write(const QString& qpath, const std::string& utf8, const WriteOptions& options) {
    // A link of the player's own is written through; any other link, or
    // anything but a regular file, is not written at all.
    const std::optional<std::string> target = safeopen::WriteTarget(QFileInfo(qpath).absoluteFilePath().toStdString());
    if (!target) return false;
    const std::string& path = *target;
    const size_t slash = path.rfind('/');
    const std::string dir = slash == 0 ? "/" : path.substr(0, slash), name = path.substr(slash + 1);
    const std::string bytes = codepage::LinesToFile(utf8);
    RemoveStaleTemps(dir, name, options.locked);

    static std::atomic<unsigned> counter{0};
    const std::string temp = dir + "/" + TempPrefix(name) + std::to_string(getpid()) + "." + std::to_string(counter++);
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        // A folder the player may not write: the file itself, if he may.
        if (!RefusedByFolder(errno)) return false;
        if (options.beforeReplace) options.beforeReplace();
        return WriteInPlace(path, bytes);
    }
    const bool written = fchmod(fd, safeopen::ModeFor(dir)) == 0 && WriteAll(fd, bytes, 0);
    if (!written) {
        close(fd);
        unlink(temp.c_str());
        return false;
    }
    if (!Finish(fd)) {
        unlink(temp.c_str());
        return false;
    }
    if (options.beforeReplace) options.beforeReplace();
    if (rename(temp.c_str(), path.c_str()) == 0) {
        safeopen::SyncFolder(dir);
        return true;
    }
    const int err = errno;
    unlink(temp.c_str());
    // A sticky folder keeps another player's file from being replaced.
    return RefusedByFolder(err) && WriteInPlace(path, bytes);
}

}  // namespace textfile
