#include "WriteTrouble.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "SafeOpen.h"

WriteTrouble WhyNotWritten(const std::string& path, size_t bytes) {
    const size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    struct stat st {};
    const bool exists = lstat(path.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode) && !safeopen::WriteTarget(path)) return WriteTrouble::NotRegular;
    struct statvfs fs {};
    if (statvfs(dir.c_str(), &fs) == 0) {
        if (fs.f_flag & ST_RDONLY) return WriteTrouble::ReadOnlyDisk;
        const unsigned long long free =
            static_cast<unsigned long long>(geteuid() == 0 ? fs.f_bfree : fs.f_bavail) * fs.f_frsize;
        if (free < bytes + fs.f_frsize) return WriteTrouble::NoSpace;
    }
    if (exists) {
        const bool writable = geteuid() == 0 ? (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0
                                             : faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
        if (!writable) return WriteTrouble::ReadOnlyFile;
    } else if (faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        return WriteTrouble::NoPermission;
    }
    return WriteTrouble::Unknown;
}
