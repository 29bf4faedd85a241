// Records kept for the next start, kept as safely as the table: a data
// folder that cannot take one sends it to the spare folder; a link, a FIFO
// or a huge file of junk at the pending file's place is neither followed,
// nor blocked on, nor read past its bound; junk is skipped, scores are held
// to what a game reaches, and everything lands in one write.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>

#include "platform/folders/DataFolder.h"
#include "records/formats/PendingRecords.h"
#include "records/formats/TableFile.h"

namespace {
std::function<bool()> For(std::chrono::milliseconds ms) {
    const auto until = std::chrono::steady_clock::now() + ms;
    return [until] { return std::chrono::steady_clock::now() < until; };
}

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void Put(const QString& path, const QByteArray& b) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}

// The player's data folder and the spare folder's base, each of the test's own.
struct Folders {
    QTemporaryDir home, spareBase, tables;
    Folders() {
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        SetSpareFolderBase(spareBase.path());
        hof::Table t;
        hof::InsertAt(t, 0, "Old", 500);
        EXPECT_TRUE(hof::Save(tables.path(), t, std::nullopt));
    }
    ~Folders() {
        qunsetenv("XDG_DATA_HOME");
        SetSpareFolderBase(QString());
    }
    QString Data() const { return QDir(home.path()).filePath("gravlok"); }
    QString Spare() const { return QDir(spareBase.path()).filePath("gravlok-" + QString::number(geteuid())); }
    QString PendingIn(const QString& dir) const { return QDir(dir).filePath(pending::kFileName); }
    std::vector<std::string> Names() const { return hof::ReadFile(tables.path()).value_or(hof::Table{}).colNames; }
};
}  // namespace

TEST(PendingRecords, AFolderThatCannotTakeTheRecordSendsItToTheSpareFolder) {
    Folders f;
    Put(f.Data(), "a file where the data folder belongs");
    const std::optional<QString> kept = pending::Keep(f.tables.path(), {"Zoe", 6204});
    ASSERT_TRUE(kept);
    EXPECT_EQ(*kept, f.Spare());
    struct stat st {};
    ASSERT_EQ(stat(f.Spare().toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    EXPECT_EQ(pending::MergeInto(f.tables.path(), For(std::chrono::seconds(2))), 1);
    EXPECT_EQ(f.Names(), (std::vector<std::string>{"Zoe", "Old"}));
    EXPECT_FALSE(QFile::exists(f.PendingIn(f.Spare())));
    EXPECT_EQ(pending::MergeInto(f.tables.path(), For(std::chrono::seconds(2))), 0);  // once

    // Nowhere to keep it: said, not pretended.
    ASSERT_TRUE(QDir(f.Spare()).removeRecursively());
    Put(f.Spare(), "a file where the spare folder belongs");
    EXPECT_FALSE(pending::Keep(f.tables.path(), {"Lost", 7000}));
}

TEST(PendingRecords, ALinkOrAFifoAtThePendingFileIsNeitherFollowedNorBlockedOn) {
    Folders f;
    ASSERT_TRUE(QDir().mkpath(f.Data()));
    // A link, even of the player's own, to another folder's table.
    QTemporaryDir elsewhere;
    const QString victim = hof::PathIn(elsewhere.path());
    Put(victim, "Victim\r\n 900 \r\n");
    ASSERT_TRUE(QFile::link(victim, f.PendingIn(f.Data())));
    ASSERT_EQ(pending::Keep(f.tables.path(), {"Zoe", 6204}), f.Spare());
    EXPECT_EQ(Bytes(victim), QByteArray("Victim\r\n 900 \r\n"));
    EXPECT_EQ(pending::MergeInto(f.tables.path(), For(std::chrono::seconds(2))), 1);
    EXPECT_EQ(Bytes(victim), QByteArray("Victim\r\n 900 \r\n"));
    EXPECT_TRUE(QFileInfo(f.PendingIn(f.Data())).isSymLink());  // left as it was

    // A FIFO: a plain open would wait for a writer for ever.
    ASSERT_TRUE(QFile::remove(f.PendingIn(f.Data())));
    ASSERT_EQ(mkfifo(f.PendingIn(f.Data()).toLocal8Bit().constData(), 0600), 0);
    ASSERT_EQ(pending::Keep(f.tables.path(), {"Ann", 300}), f.Spare());
    EXPECT_EQ(pending::MergeInto(f.tables.path(), For(std::chrono::seconds(2))), 1);
    EXPECT_EQ(f.Names(), (std::vector<std::string>{"Zoe", "Old", "Ann"}));
}

TEST(PendingRecords, JunkIsSkippedAHugeFileIsReadWithinItsBoundAndAllLandsInOneWrite) {
    Folders f;
    ASSERT_TRUE(QDir().mkpath(f.Data()));
    const QByteArray table = QDir(f.tables.path()).absolutePath().toLocal8Bit();
    const QByteArray text = "junk before\n" + table + "\nKept\n1500\n" +  // a record
                            table + "\nLetters\nabc\n" +                  // a score that is no number
                            table + "\nHuge\n12345678901234567890\n" +    // past what a game reaches
                            table + "\nElevenChars\n100\n" +              // a name the field cannot give
                            "relative/folder\nRel\n100\n" +               // a folder that is not absolute
                            table + "\nNeg\n-20\n" +                      // below what a game reaches
                            table + "\nAlso\n20\n";                       // a record after the junk
    const QString path = f.PendingIn(f.Data());
    Put(path, text);
    ASSERT_EQ(truncate(path.toLocal8Bit().constData(), 100 * 1024 * 1024), 0);  // 100 MB, the rest zeros

    EXPECT_EQ(pending::MergeInto(f.tables.path(), For(std::chrono::seconds(2))), 2);
    EXPECT_EQ(f.Names(), (std::vector<std::string>{"Kept", "Old", "Also"}));
    const hof::Table t = *hof::ReadFile(f.tables.path());
    EXPECT_EQ(t.colScores, (std::vector<double>{1500, 500, 20}));
    EXPECT_FALSE(QFile::exists(path));  // every record landed, the junk went with the file
    EXPECT_EQ(pending::MergeInto(f.tables.path(), For(std::chrono::seconds(2))), 0);

    // Junk alone, with another table's record: the next start keeps the
    // record and drops the junk.
    const QByteArray other = "/some/other/folder\nBob\n42\n";
    Put(path, "\x01\x02 junk\n" + other + "more junk\n");
    EXPECT_EQ(pending::MergeInto(f.tables.path(), For(std::chrono::seconds(2))), 0);
    EXPECT_EQ(Bytes(path), other);
}
