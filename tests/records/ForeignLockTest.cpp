// Another program that rewrites the hall of fame under a lock of its own
// kind (read, change, write back): whatever lock it takes on the folder, the
// lock file or the table, the game's save waits for it, so both records are
// kept. The save runs as another user where the test is root, so a lock
// file the holder made read-only is one the game may only read.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <string>
#include <thread>

#include "records/formats/TableFile.h"

namespace {
enum class Kind { Flock, Fcntl, Lockf, OpenFileDescription, FolderRead };
enum class On { Folder, LockFile, Table };

struct Case {
    const char* what;
    Kind kind;
    On on;
};

bool Lock(int fd, Kind kind, bool writable) {
    struct flock fl {};
    fl.l_type = writable ? F_WRLCK : F_RDLCK;
    fl.l_whence = SEEK_SET;
    switch (kind) {
    case Kind::Flock: return flock(fd, LOCK_EX) == 0;
    case Kind::Fcntl:
    case Kind::FolderRead: return fcntl(fd, F_SETLK, &fl) == 0;
    case Kind::Lockf: return lockf(fd, F_TLOCK, 0) == 0;
    case Kind::OpenFileDescription: return fcntl(fd, F_OFD_SETLK, &fl) == 0;
    }
    return false;
}

// Read through `fd` where it is the table's: closing any other descriptor
// of a file would let go of the process's fcntl and lockf locks on it.
std::string ReadAll(const std::string& path, int tableFd) {
    std::string text;
    const int fd = tableFd >= 0 ? tableFd : open(path.c_str(), O_RDONLY);
    char buf[4096];
    off_t at = 0;
    for (ssize_t n; fd >= 0 && (n = pread(fd, buf, sizeof buf, at)) > 0; at += n)
        text.append(buf, static_cast<size_t>(n));
    if (fd >= 0 && fd != tableFd) close(fd);
    return text;
}

// The other program: takes its lock, reads the table, tells the test, and a
// moment later writes the table back in place with its own row on top.
pid_t StartRewriter(const Case& c, const QString& dir, int ready) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    const std::string table = hof::PathIn(dir).toStdString(), lockFile = hof::LockPathIn(dir).toStdString();
    int fd = -1;
    switch (c.on) {
    case On::Folder: fd = open(dir.toStdString().c_str(), O_RDONLY | O_DIRECTORY); break;
    case On::LockFile: fd = open(lockFile.c_str(), O_RDWR | O_CREAT, 0444); break;  // one the game can only read
    case On::Table: fd = open(table.c_str(), O_RDWR); break;
    }
    const bool locked = fd >= 0 && Lock(fd, c.kind, c.on != On::Folder);
    const int tableFd = c.on == On::Table ? fd : -1;
    const std::string before = ReadAll(table, tableFd);
    const char sign = locked ? '1' : '0';
    [[maybe_unused]] ssize_t n = write(ready, &sign, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    const std::string after = "Other\r\n 3000 \r\n" + before;
    const int out = tableFd >= 0 ? tableFd : open(table.c_str(), O_WRONLY);
    n = ftruncate(out, 0) == 0 ? pwrite(out, after.data(), after.size(), 0) : -1;
    _exit(n == static_cast<ssize_t>(after.size()) ? 0 : 4);  // its locks go with it
}

// The game's save, as the player the test stands for.
pid_t StartSave(const QString& dir) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    const auto saved = hof::Save(dir, hof::Table{}, hof::NewRow{"Game", 2000}, {}, {},
                                 [until] { return std::chrono::steady_clock::now() < until; });
    _exit(saved ? 0 : 1);
}

int ExitCode(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
}  // namespace

TEST(ForeignLock, EveryKindOfLockAnotherProgramHoldsIsWaitedForSoBothRecordsStay) {
    const Case cases[] = {
        {"flock on the lock file", Kind::Flock, On::LockFile},
        {"flock on the table", Kind::Flock, On::Table},
        {"fcntl on a lock file the game may only read", Kind::Fcntl, On::LockFile},
        {"lockf on the table", Kind::Lockf, On::Table},
        {"an open-file-description lock on the table", Kind::OpenFileDescription, On::Table},
        {"a POSIX read lock on the folder", Kind::FolderRead, On::Folder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir d;
        ASSERT_EQ(chmod(d.path().toLocal8Bit().constData(), 0777), 0);
        hof::Table start;
        hof::InsertAt(start, 0, "Old", 500);
        ASSERT_TRUE(hof::Save(d.path(), start, std::nullopt));
        ASSERT_EQ(chmod(hof::PathIn(d.path()).toLocal8Bit().constData(), 0666), 0);
        if (c.on == On::LockFile) {  // the other program makes one the game may only read
            ASSERT_TRUE(QFile::remove(hof::LockPathIn(d.path())));
        } else {  // a lock file the game made and may write
            const int fd = open(hof::LockPathIn(d.path()).toLocal8Bit().constData(), O_RDWR | O_CREAT, 0666);
            ASSERT_GE(fd, 0);
            fchmod(fd, 0666);
            close(fd);
        }

        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t other = StartRewriter(c, d.path(), ready[1]);
        char sign = 0;
        ASSERT_EQ(read(ready[0], &sign, 1), 1);
        close(ready[0]);
        close(ready[1]);
        ASSERT_EQ(sign, '1') << "the other program could not take its lock";
        const pid_t game = StartSave(d.path());
        EXPECT_EQ(ExitCode(other), 0);
        EXPECT_EQ(ExitCode(game), 0) << "the save failed";

        const std::optional<hof::Table> t = hof::ReadFile(d.path());
        ASSERT_TRUE(t);
        EXPECT_EQ(t->colNames, (std::vector<std::string>{"Other", "Game", "Old"}));
        EXPECT_EQ(t->colScores, (std::vector<double>{3000, 2000, 500}));
    }
}

TEST(ForeignLock, TheGameNeverWaitsForItsOwnLocks) {
    // Both kinds of lock on each file, and a second save right after the
    // first, in one process: nothing is left held, nothing waits.
    QTemporaryDir d;
    hof::Load(d.path());
    for (int i = 0; i < 3; ++i) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        bool waited = false;
        ASSERT_TRUE(hof::Save(
            d.path(), hof::Table{}, hof::NewRow{"Me" + std::to_string(i), 100.0 * i}, {}, [&] { waited = true; },
            [until] { return std::chrono::steady_clock::now() < until; }));
        EXPECT_FALSE(waited);
    }
    EXPECT_EQ(hof::ReadFile(d.path())->Rows(), 4u);
}
