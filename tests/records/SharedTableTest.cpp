// The table every account shares, written by its writer alone (here a copy
// of it that writes the tests' own folder and needs no group): records land
// in place in the package's file; anything but a valid record is refused;
// another program's lock is waited for and the wait can be given up before
// anything changed; nothing is created; the records of a player's own table
// of the earlier version join once.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "platform/files/FileLock.h"
#include "platform/folders/DataFolder.h"
#include "records/formats/PendingRecords.h"
#include "records/formats/SharedTable.h"
#include "records/formats/TableFile.h"

namespace {
const QString kFolder = TEST_SHARED_TABLE;

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

ino_t Inode(const QString& path) {
    struct stat st {};
    return stat(path.toLocal8Bit().constData(), &st) == 0 ? st.st_ino : 0;
}

// The shared folder as the package leaves it: the table and its lock file.
// The writer's folder is built in, so the tests of this program, which run
// side by side, take turns at it.
struct SharedFolder {
    explicit SharedFolder(const QByteArray& table = "Ann\r\n 5000 \r\nBob\r\n 10 \r\n") {
        turn_ = open((kFolder + ".turn").toLocal8Bit().constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        EXPECT_EQ(flock(turn_, LOCK_EX), 0);
        QDir(kFolder).removeRecursively();
        EXPECT_TRUE(QDir().mkpath(kFolder));
        Put(hof::PathIn(kFolder), table);
        Put(hof::LockPathIn(kFolder), "");
        SetSharedTable(kFolder, TEST_TABLE_WRITER);
    }
    ~SharedFolder() {
        SetSharedTable(QString(), QString());
        QDir(kFolder).removeRecursively();
        close(turn_);
    }
    static void Put(const QString& path, const QByteArray& b) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(b);
    }
    QByteArray Table() const { return Bytes(hof::PathIn(kFolder)); }

private:
    int turn_ = -1;
};

// The writer run by hand with `input` on its standard input: its exit status.
int RunWriter(const QByteArray& input, const char* redirect = ">/dev/null") {
    const QByteArray command = QByteArray(TEST_TABLE_WRITER) + " " + redirect;
    FILE* in = popen(command.constData(), "w");
    if (!in) return -1;
    std::fwrite(input.constData(), 1, static_cast<size_t>(input.size()), in);
    const int status = pclose(in);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::function<bool()> For(std::chrono::milliseconds ms) {
    const auto until = std::chrono::steady_clock::now() + ms;
    return [until] { return std::chrono::steady_clock::now() < until; };
}
}  // namespace

TEST(SharedTable, RecordsLandInThePackagesFileInPlace) {
    SharedFolder shared;
    const ino_t before = Inode(hof::PathIn(kFolder));
    EXPECT_EQ(TableFolder(), kFolder);
    hof::SaveTrouble trouble = hof::SaveTrouble::None;
    const auto saved = hof::SaveRows(kFolder, hof::Table{}, {{"Zoe", 6204}, {"Pat\r\n99999", 7}}, {}, {},
                                     For(std::chrono::seconds(5)), &trouble);
    ASSERT_TRUE(saved) << int(trouble);
    EXPECT_EQ(shared.Table(), "Zoe\r\n 6204 \r\nAnn\r\n 5000 \r\nBob\r\n 10 \r\nPat\r\n 7 \r\n");
    EXPECT_EQ(saved->colNames, (std::vector<std::string>{"Zoe", "Ann", "Bob", "Pat"}));
    EXPECT_EQ(Inode(hof::PathIn(kFolder)), before);                            // the same file: its owner and mode stay
    EXPECT_EQ(QDir(kFolder).entryList(QDir::Files | QDir::Hidden).size(), 2);  // nothing beside it
}

TEST(SharedTable, TheWriterAcceptsOnlyValidRecords) {
    SharedFolder shared;
    const QByteArray table = shared.Table();
    const char* refused[] = {
        "",                    // no record
        "Zoe\n",               // a name without its score
        "ElevenChars\n100\n",  // longer than the name question takes
        "Zoe\nabc\n",          // a score that is no number
        "Zoe\n-5\n",           // below what a game reaches
        "Zoe\n214748366\n",    // above it
        "Zoe\n1E+20\n",        // not as the game writes it
        "Tab\tbed\n100\n",     // a control character
        "Zoe\n100\nExtra\n",   // a half record
    };
    for (const char* input : refused) {
        SCOPED_TRACE(input);
        EXPECT_EQ(RunWriter(input), hof::Refused);
        EXPECT_EQ(shared.Table(), table);
    }
    QByteArray many;
    for (int i = 0; i < 100; ++i) many += "P" + QByteArray::number(i) + "\n1\n";
    EXPECT_EQ(RunWriter(many), hof::Refused);  // more than the table holds
    EXPECT_EQ(shared.Table(), table);

    // With its standard output closed, nothing it says lands in the table.
    EXPECT_EQ(RunWriter("Zoe\n6204\n", ">&-"), hof::Saved);
    EXPECT_EQ(shared.Table(), "Zoe\r\n 6204 \r\n" + table);
}

TEST(SharedTable, AnotherProgramsLockIsWaitedForAndAGiveUpChangesNothing) {
    SharedFolder shared;
    const QByteArray table = shared.Table();
    {
        FileLock other(hof::LockPathIn(kFolder).toStdString(), hof::PathIn(kFolder).toStdString());
        ASSERT_TRUE(other.Locked());
        int told = 0;
        hof::SaveTrouble trouble = hof::SaveTrouble::None;
        EXPECT_FALSE(hof::SaveRows(
            kFolder, hof::Table{}, {{"Zoe", 6204}}, {}, [&] { ++told; }, For(std::chrono::milliseconds(400)),
            &trouble));
        EXPECT_EQ(trouble, hof::SaveTrouble::Busy);
        EXPECT_EQ(told, 1);
        EXPECT_EQ(shared.Table(), table);
    }
    EXPECT_TRUE(hof::SaveRows(kFolder, hof::Table{}, {{"Zoe", 6204}}, {}, {}, For(std::chrono::seconds(5))));
    EXPECT_EQ(shared.Table(), "Zoe\r\n 6204 \r\n" + table);
}

TEST(SharedTable, AMissingTableIsNotCreatedAndIsSaidSo) {
    SharedFolder shared;
    ASSERT_TRUE(QFile::remove(hof::PathIn(kFolder)));
    hof::SaveTrouble trouble = hof::SaveTrouble::None;
    EXPECT_FALSE(hof::SaveRows(kFolder, hof::Table{}, {{"Zoe", 6204}}, {}, {}, For(std::chrono::seconds(5)), &trouble));
    EXPECT_EQ(trouble, hof::SaveTrouble::NoTable);
    EXPECT_FALSE(QFile::exists(hof::PathIn(kFolder)));
}

TEST(SharedTable, ThePlayersOwnTableOfTheEarlierVersionJoinsOnce) {
    SharedFolder shared;
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    const QString own = QDir(home.path()).filePath("gravlok");
    ASSERT_TRUE(QDir().mkpath(own));
    const QByteArray old = "Mine\r\n 700 \r\nPlumo\r\n 0 \r\nA Long Name Indeed\r\n 5 \r\n";
    SharedFolder::Put(hof::PathIn(own), old);

    EXPECT_EQ(pending::MergeInto(kFolder, For(std::chrono::seconds(5))), 1);
    EXPECT_EQ(shared.Table(), "Ann\r\n 5000 \r\nMine\r\n 700 \r\nBob\r\n 10 \r\n");
    EXPECT_EQ(pending::MergeInto(kFolder, For(std::chrono::seconds(5))), 0);  // once
    EXPECT_EQ(shared.Table(), "Ann\r\n 5000 \r\nMine\r\n 700 \r\nBob\r\n 10 \r\n");
    EXPECT_EQ(Bytes(hof::PathIn(own)), old);  // left as it was
    qunsetenv("XDG_DATA_HOME");
}
