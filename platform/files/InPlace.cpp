#include "InPlace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "SafeOpen.h"

namespace textfile {

bool WriteAllAt(int fd, const std::string& bytes, off_t at) {
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
bool FinishFile(int fd) {
    const bool synced = fsync(fd) == 0 || errno == EINVAL;  // EINVAL: a file system without sync
    return close(fd) == 0 && synced;
}

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
        ok = (size == st.st_size || posix_fallocate(fd, 0, size) == 0) && WriteAllAt(fd, bytes, 0) && step();
    } else if (ok) {
        const bool crlf = bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0;
        const size_t end = crlf ? 2 : 0;
        std::string padded = bytes.substr(0, bytes.size() - end);
        padded.append(static_cast<size_t>(st.st_size) - bytes.size(), ' ');
        padded += bytes.substr(bytes.size() - end);
        ok = WriteAllAt(fd, padded, 0) && fdatasync(fd) == 0 && step() &&
             (!crlf || (WriteAllAt(fd, "\r\n", size - 2) && fdatasync(fd) == 0 && step()));
    }
    if (!ok || ftruncate(fd, size) != 0) {
        close(fd);
        return false;
    }
    return FinishFile(fd) && step();
}

}  // namespace textfile
