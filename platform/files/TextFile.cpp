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

// A file the player may not write is left as it is.
bool MayWrite(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return true;  // a new file
    if (geteuid() == 0) return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool RefusedByFolder(int err) { return err == EACCES || err == EPERM || err == EROFS; }
}  // namespace

// A shorter text is first written at the old length, its last line carried
// on by spaces (a value's trailing spaces are no part of it); then its last
// line end is put in place, which leaves the rest an unpaired last line;
// then the file is cut to the text.
bool RewriteInPlace(const std::string& path, const std::string& bytes, const std::function<void()>& afterStep) {
    auto step = [&afterStep] {
        if (afterStep) afterStep();
        return true;
    };
    const int fd = safeopen::Open(path, O_WRONLY);
    if (fd < 0) return false;
    const off_t size = static_cast<off_t>(bytes.size());
    struct stat st {};
    bool ok = fstat(fd, &st) == 0;
    if (ok && size >= st.st_size) {
        // Room for the longer text first, so a full disk stops the save
        // before it has changed a byte.
        ok = (size == st.st_size || posix_fallocate(fd, 0, size) == 0) && WriteAll(fd, bytes, 0) && step();
    } else if (ok) {
        const bool crlf = bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0;
        const size_t end = crlf ? 2 : 0;
        std::string padded = bytes.substr(0, bytes.size() - end);
        padded.append(static_cast<size_t>(st.st_size) - bytes.size(), ' ');
        padded += bytes.substr(bytes.size() - end);
        ok = WriteAll(fd, padded, 0) && fdatasync(fd) == 0 && step() &&
             (!crlf || (WriteAll(fd, "\r\n", size - 2) && fdatasync(fd) == 0 && step()));
    }
    if (!ok || ftruncate(fd, size) != 0) {
        close(fd);
        return false;
    }
    return Finish(fd) && step();
}

std::optional<std::string> Read(const QString& path, qint64 maxBytes, bool* cut, bool noLink) {
    const int fd =
        safeopen::Open(QFileInfo(path).absoluteFilePath().toStdString(), O_RDONLY | (noLink ? O_NOFOLLOW : 0));
    if (fd < 0) return std::nullopt;
    std::string bytes;
    char buf[65536];
    // One byte past the bound tells a file that is longer.
    const size_t limit = maxBytes < 0 ? SIZE_MAX : static_cast<size_t>(maxBytes) + 1;
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
    if (cut) *cut = false;
    if (maxBytes >= 0 && bytes.size() > static_cast<size_t>(maxBytes)) {
        // Only the whole lines within the bound.
        bytes.resize(static_cast<size_t>(maxBytes));
        const size_t lastEnd = bytes.find_last_of("\r\n");
        bytes.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
        if (cut) *cut = true;
    }
    return codepage::LinesFromFile(bytes);
}

bool Write(const QString& qpath, const std::string& utf8, const WriteOptions& options) {
    // A link of the player's own is written through; any other link, or
    // anything but a regular file, is not written at all.
    const std::string absolute = QFileInfo(qpath).absoluteFilePath().toStdString();
    struct stat st {};
    if (options.noLink && lstat(absolute.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) return false;
    const std::optional<std::string> target = safeopen::WriteTarget(absolute);
    if (!target) return false;
    const std::string& path = *target;
    if (!MayWrite(path)) return false;
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
        return RewriteInPlace(path, bytes);
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
    return RefusedByFolder(err) && RewriteInPlace(path, bytes);
}

}  // namespace textfile
