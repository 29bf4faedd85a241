// A save that cannot go ahead: another program holds the folder, the lock
// file or the table (a bounded wait gives up, names the holder where the
// system does, and a retry after it lets go saves the record); records kept
// for the next start land once; why a table could not be written.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include "platform/files/FileLock.h"
#include "platform/files/WriteTrouble.h"
#include "records/formats/PendingRecords.h"
#include "records/formats/TableFile.h"

namespace {
using SteadyClock = std::chrono::steady_clock;

std::function<bool()> For(std::chrono::milliseconds ms) {
    const auto until = SteadyClock::now() + ms;
    return [until] { return SteadyClock::now() < until; };
}

hof::Table Rows(int n) {
    hof::Table t;
    for (int i = 0; i < n; ++i) hof::InsertAt(t, t.Rows(), "Player" + std::to_string(i), 1000 - i);
    return t;
}

// Another program holding a lock until it is killed.
class Holder {
public:
    enum Kind { FolderFlock, ReadLockOnFile };
    Holder(Kind kind, const std::string& path) {
        int ready[2];
        EXPECT_EQ(pipe(ready), 0);
        pid_ = fork();
        if (pid_ == 0) {
            const int fd = open(path.c_str(), kind == FolderFlock ? O_RDONLY | O_DIRECTORY : O_RDONLY);
            bool ok = fd >= 0;
            if (ok && kind == FolderFlock) ok = flock(fd, LOCK_EX) == 0;
            if (ok && kind == ReadLockOnFile) {
                struct flock fl {};
                fl.l_type = F_RDLCK;
                fl.l_whence = SEEK_SET;
                ok = fcntl(fd, F_SETLK, &fl) == 0;
            }
            const char c = ok ? '1' : '0';
            [[maybe_unused]] ssize_t n = write(ready[1], &c, 1);
            for (;;) pause();
        }
        char c = 0;
        EXPECT_EQ(read(ready[0], &c, 1), 1);
        EXPECT_EQ(c, '1') << "the holder could not lock " << path;
        close(ready[0]);
        close(ready[1]);
    }
    ~Holder() { LetGo(); }
    void LetGo() {
        if (pid_ <= 0) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = 0;
    }
    int Pid() const { return pid_; }

private:
    pid_t pid_ = 0;
};
}  // namespace

TEST(SaveWait, AHeldTableIsWaitedForWithinTheBoundThenARetrySavesTheRecord) {
    struct Case {
        const char* what;
        Holder::Kind kind;
        QString (*path)(const QString&);
    };
    const Case cases[] = {
        {"the folder", Holder::FolderFlock, [](const QString& d) { return d; }},
        {"the lock file", Holder::ReadLockOnFile, [](const QString& d) { return hof::LockPathIn(d); }},
        {"the table", Holder::ReadLockOnFile, [](const QString& d) { return hof::PathIn(d); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir d;
        ASSERT_TRUE(hof::Save(d.path(), Rows(3), std::nullopt));
        const QByteArray before = [&] {
            QFile f(hof::PathIn(d.path()));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        Holder holder(c.kind, c.path(d.path()).toStdString());

        const std::optional<LockHolder> named = FindLockHolder(
            {d.path().toStdString(), hof::LockPathIn(d.path()).toStdString(), hof::PathIn(d.path()).toStdString()});
        ASSERT_TRUE(named);
        EXPECT_EQ(named->pid, holder.Pid());
        EXPECT_FALSE(named->command.empty());
        EXPECT_FALSE(named->user.empty());

        int told = 0;
        hof::SaveTrouble trouble = hof::SaveTrouble::None;
        const auto start = SteadyClock::now();
        const auto saved = hof::Save(
            d.path(), Rows(3), hof::NewRow{"Late", 2000}, {}, [&] { ++told; }, For(std::chrono::milliseconds(300)),
            &trouble);
        const auto waited = SteadyClock::now() - start;
        EXPECT_FALSE(saved);
        EXPECT_EQ(trouble, hof::SaveTrouble::Busy);
        EXPECT_EQ(told, 1);
        EXPECT_GE(waited, std::chrono::milliseconds(300));
        EXPECT_LT(waited, std::chrono::seconds(3));
        QFile f(hof::PathIn(d.path()));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before);
        f.close();

        holder.LetGo();
        const auto again = hof::Save(d.path(), Rows(3), hof::NewRow{"Late", 2000}, {}, {},
                                     For(std::chrono::milliseconds(300)), &trouble);
        ASSERT_TRUE(again);
        EXPECT_EQ(trouble, hof::SaveTrouble::None);
        ASSERT_EQ(hof::ReadFile(d.path())->colNames.front(), "Late");
    }
}

TEST(SaveWait, ARecordKeptForTheNextStartLandsOnceAlsoWhenTwoCopiesStartTogether) {
    QTemporaryDir home, tables;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    ASSERT_TRUE(hof::Save(tables.path(), Rows(3), std::nullopt));
    const QString elsewhere = tables.filePath("other");
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(pending::Keep(tables.path(), {"Kept", 1500}));
    ASSERT_TRUE(pending::Keep(elsewhere, {"Other", 900}));  // another table's: left alone

    // Held by another program: kept for a later start.
    {
        Holder holder(Holder::FolderFlock, tables.path().toStdString());
        EXPECT_EQ(pending::MergeInto(tables.path(), For(std::chrono::milliseconds(200))), 0);
    }
    EXPECT_EQ(hof::ReadFile(tables.path())->Rows(), 3u);

    int merged[2] = {0, 0};
    std::thread a([&] { merged[0] = pending::MergeInto(tables.path(), For(std::chrono::seconds(2))); });
    std::thread b([&] { merged[1] = pending::MergeInto(tables.path(), For(std::chrono::seconds(2))); });
    a.join();
    b.join();
    EXPECT_EQ(merged[0] + merged[1], 1);
    EXPECT_EQ(pending::MergeInto(tables.path(), For(std::chrono::seconds(2))), 0);
    const hof::Table t = *hof::ReadFile(tables.path());
    ASSERT_EQ(t.Rows(), 4u);
    EXPECT_EQ(t.colNames.front(), "Kept");
    EXPECT_EQ(t.colScores.front(), 1500);
    EXPECT_EQ(pending::MergeInto(elsewhere, For(std::chrono::seconds(2))), 1);  // a missing table gets the row
    EXPECT_EQ(hof::ReadFile(elsewhere)->colNames.front(), "Other");
    EXPECT_FALSE(QFile::exists(QDir(home.path()).filePath(QString("gravlok/") + pending::kFileName)));
    qunsetenv("XDG_DATA_HOME");
}

TEST(SaveWait, WhyATableCouldNotBeWritten) {
    QTemporaryDir d;
    const QString table = hof::PathIn(d.path());
    ASSERT_TRUE(QDir().mkpath(table));  // a folder in the table's place
    hof::SaveTrouble trouble = hof::SaveTrouble::None;
    EXPECT_FALSE(hof::Save(d.path(), Rows(2), hof::NewRow{"X", 5000}, {}, {}, {}, &trouble));
    EXPECT_EQ(trouble, hof::SaveTrouble::NotWritten);
    EXPECT_EQ(WhyNotWritten(table.toStdString(), 100), WriteTrouble::NotRegular);
    ASSERT_TRUE(QDir().rmdir(table));

    ASSERT_TRUE(hof::Save(d.path(), Rows(2), std::nullopt));
    ASSERT_EQ(chmod(table.toLocal8Bit().constData(), 0444), 0);
    EXPECT_FALSE(hof::Save(d.path(), Rows(2), hof::NewRow{"X", 5000}, {}, {}, {}, &trouble));
    EXPECT_EQ(trouble, hof::SaveTrouble::NotWritten);
    EXPECT_EQ(WhyNotWritten(table.toStdString(), 100), WriteTrouble::ReadOnlyFile);
    ASSERT_EQ(chmod(table.toLocal8Bit().constData(), 0644), 0);
    EXPECT_EQ(WhyNotWritten(table.toStdString(), 100), WriteTrouble::Unknown);

    if (geteuid() != 0) GTEST_SKIP() << "mounting a small disk needs root";
    QTemporaryDir small;
    const std::string dir = small.path().toStdString();
    if (mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k") != 0) GTEST_SKIP() << "no tmpfs here";
    QFile filler(small.filePath("filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(512, 'x');
    while (filler.write(block) == block.size()) {}
    filler.close();
    EXPECT_EQ(WhyNotWritten(hof::PathIn(small.path()).toStdString(), 100), WriteTrouble::NoSpace);
    umount(dir.c_str());
}
