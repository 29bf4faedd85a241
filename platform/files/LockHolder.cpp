#include "LockHolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

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
