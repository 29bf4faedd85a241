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
#include "InPlace.h"
#include "SafeOpen.h"

namespace textfile {
namespace {
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
    const bool written = fchmod(fd, safeopen::ModeFor(dir)) == 0 && WriteAllAt(fd, bytes, 0);
    if (!written) {
        close(fd);
        unlink(temp.c_str());
        return false;
    }
    if (!FinishFile(fd)) {
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
