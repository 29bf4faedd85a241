#include "WaveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "SndfileCalls.h"

SNDFILE* OpenWaveFile(const std::string& path, SF_INFO& info) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return nullptr;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);  // a regular file reads as usual
    info = SF_INFO{};
    SNDFILE* f = sf_open_fd(fd, SFM_READ, &info, SF_TRUE);  // the file closes the descriptor
    if (!f) close(fd);
    return f;
}
