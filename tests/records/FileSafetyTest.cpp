// The game's files where things go wrong: a full disk, a folder named
// outside the code page, links, FIFOs and devices in a file's place, files
// far larger than a valid one, temporary files of an interrupted save.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>

#include "platform/files/CodePage.h"
#include "platform/files/TextFile.h"
#include "records/formats/SettingsStore.h"
#include "records/formats/TableFile.h"

namespace {
QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void Put(const QString& path, const QByteArray& b) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}
}  // namespace

TEST(FileSafety, AFullDiskLeavesBothFilesAsTheyWere) {
    if (geteuid() != 0) GTEST_SKIP() << "mounting a small disk needs root";
    QTemporaryDir d;
    const std::string dir = d.path().toStdString();
    if (mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k") != 0) GTEST_SKIP() << "no tmpfs here";
    const QString table = d.filePath(hof::kFileName), ini = d.filePath(settings::kFileName);
    hof::Table t;
    for (int i = 0; i < 98; ++i) hof::InsertAt(t, t.Rows(), "Player" + std::to_string(i), 100000 - i);
    ASSERT_TRUE(hof::Save(d.path(), t, std::nullopt));
    settings::Values v = settings::Load(d.path(), d.path());
    ASSERT_TRUE(settings::Save(d.path(), v));
    const QByteArray tableBefore = Bytes(table), iniBefore = Bytes(ini);
    // Fill the disk to the last block.
    QFile filler(d.filePath("filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(512, 'x');
    while (filler.write(block) == block.size()) {}
    filler.close();

    EXPECT_FALSE(hof::Save(d.path(), t, hof::NewRow{"New", 200000}));
    v.PathToBkgMusic = std::string(3000, 'm');  // a longer file than before
    EXPECT_FALSE(settings::Save(d.path(), v));
    EXPECT_EQ(Bytes(table), tableBefore);
    EXPECT_EQ(Bytes(ini), iniBefore);
    // Nothing half-written left beside them.
    EXPECT_EQ(QDir(d.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);  // table, lock, settings, filler
    umount(dir.c_str());
}

TEST(FileSafety, PathsOutsideTheCodePageReadBackAndOthersAreWrittenAsBefore) {
    QTemporaryDir d;
    settings::Values v = settings::Load(d.path(), d.path());
    const std::string french = "/home/élève/Téléchargements/jeu/Sound/bkgmusic.WAV";
    const std::string cyrillic = "/home/игрок/Игры/Sound/bkgmusic.WAV";
    v.PathToBkgMusic = french;
    v.channels[0].path = cyrillic;
    v.channels[1].path = "/ゲーム/sound/right1.WAV";
    ASSERT_TRUE(settings::Save(d.path(), v));
    const settings::Values back = settings::Load(d.path(), d.path());
    EXPECT_EQ(back.PathToBkgMusic, french);
    EXPECT_EQ(back.channels[0].path, cyrillic);
    EXPECT_EQ(back.channels[1].path, "/ゲーム/sound/right1.WAV");
    // The Cyrillic path is in Windows-1251 byte for byte, as other copies read it.
    const QByteArray bytes = Bytes(d.filePath(settings::kFileName));
    EXPECT_TRUE(bytes.contains(QByteArray::fromStdString(codepage::ToCp1251(cyrillic) + "\r\n")));
    EXPECT_TRUE(bytes.contains(QByteArray::fromStdString("\xEF\xBB\xBF" + french + "\r\n")));
}

TEST(FileSafety, LinksOfOthersFifosDevicesAndHugeFilesAreNeitherFollowedNorBlockedOn) {
    QTemporaryDir d;
    const QString table = d.filePath(hof::kFileName);
    // A FIFO in place of the table: refused at once, never waited on.
    ASSERT_EQ(mkfifo(table.toLocal8Bit().constData(), 0644), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(hof::ReadFile(d.path()));
    EXPECT_FALSE(hof::Save(d.path(), hof::Load(d.path()), hof::NewRow{"X", 1}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    QFile::remove(table);
    // A device linked as the table (the link is the player's own, the target is no file).
    ASSERT_TRUE(QFile::link("/dev/zero", table));
    EXPECT_FALSE(hof::ReadFile(d.path()));
    QFile::remove(table);
    // A link of the player's own to a file of his keeps working, written through.
    const QString mine = d.filePath("mytable.txt");
    Put(mine, "Me\r\n7\r\n");
    ASSERT_TRUE(QFile::link(mine, table));
    ASSERT_TRUE(hof::Save(d.path(), *hof::ReadFile(d.path()), hof::NewRow{"You", 9}));
    EXPECT_TRUE(QFileInfo(table).isSymLink());
    EXPECT_TRUE(Bytes(mine).startsWith("You\r\n 9 \r\nMe\r\n"));
    // A huge file is read only up to the bound, and no line cut by it: one
    // line of 50 MB gives nothing.
    QFile::remove(table);
    Put(table, QByteArray(50 * 1024 * 1024, 'x'));
    const auto t0 = std::chrono::steady_clock::now();
    bool cut = false;
    const auto text = textfile::Read(table, hof::kMaxFileBytes, &cut);
    ASSERT_TRUE(text);
    EXPECT_TRUE(cut);
    EXPECT_EQ(text->size(), 0u);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5));
}

TEST(FileSafety, ALinkAnotherUserOwnsIsNeverWrittenThrough) {
    if (geteuid() != 0) GTEST_SKIP() << "making another user's link needs root";
    QTemporaryDir d;
    const QString victim = d.filePath("bashrc"), table = d.filePath(hof::kFileName);
    Put(victim, "secret\n");
    ASSERT_TRUE(QFile::link(victim, table));
    ASSERT_EQ(lchown(table.toLocal8Bit().constData(), 65534, 65534), 0);  // the link is nobody's
    EXPECT_FALSE(hof::ReadFile(d.path()));
    hof::Load(d.path());
    hof::Save(d.path(), hof::Table{}, hof::NewRow{"X", 1});
    EXPECT_EQ(Bytes(victim), "secret\n");
}

TEST(FileSafety, TheNextSaveRemovesTheTemporaryFilesOfAnInterruptedOne) {
    QTemporaryDir d;
    ASSERT_TRUE(hof::Save(d.path(), hof::Table{}, hof::NewRow{"A", 1}));
    const QString left = d.filePath(QString(".") + hof::kFileName + ".tmp4242.0");
    Put(left, "half a table");
    ASSERT_TRUE(hof::Save(d.path(), hof::Table{}, hof::NewRow{"B", 2}));
    EXPECT_FALSE(QFile::exists(left));
    // Settings saves take no lock: only temporary files older than a minute go.
    const QString young = d.filePath(QString(".") + settings::kFileName + ".tmp4242.1");
    const QString old = d.filePath(QString(".") + settings::kFileName + ".tmp4242.2");
    Put(young, "x");
    Put(old, "x");
    QFile o(old);
    ASSERT_TRUE(o.open(QIODevice::ReadWrite));
    o.setFileTime(QDateTime::currentDateTime().addSecs(-600), QFileDevice::FileModificationTime);
    o.close();
    ASSERT_TRUE(settings::Save(d.path(), settings::Load(d.path(), d.path())));
    EXPECT_TRUE(QFile::exists(young));
    EXPECT_FALSE(QFile::exists(old));
}

// A table and a settings file the player made read-only, in a folder he may
// write: a game over and a close leave both byte for byte, mode and all, for
// root (no write bit) as for another player (no write permission).
TEST(FileSafety, ReadOnlyFilesAreLeftAsThePlayerLeftThem) {
    QTemporaryDir base;
    chmod(base.path().toLocal8Bit().constData(), 0755);
    const QString dir = base.filePath("game");
    ASSERT_TRUE(QDir().mkdir(dir));
    const QString table = QDir(dir).filePath(hof::kFileName), ini = QDir(dir).filePath(settings::kFileName);
    Put(table, "Mine\r\n 500 \r\n");
    Put(ini, "not quite settings\r\n");
    for (const QString& f : {table, ini}) ASSERT_EQ(chmod(f.toLocal8Bit().constData(), 0444), 0);
    auto unchanged = [&] {
        EXPECT_EQ(Bytes(table), QByteArray("Mine\r\n 500 \r\n"));
        EXPECT_EQ(Bytes(ini), QByteArray("not quite settings\r\n"));
        for (const QString& f : {table, ini}) {
            struct stat st {};
            ASSERT_EQ(stat(f.toLocal8Bit().constData(), &st), 0);
            EXPECT_EQ(st.st_mode & 07777, 0444u) << f.toStdString();
        }
    };
    // This player (root in CI): no write bit, no write.
    EXPECT_FALSE(hof::Save(dir, hof::Load(dir), hof::NewRow{"New", 900}));
    EXPECT_FALSE(settings::Save(dir, settings::Defaults()));
    unchanged();
    if (geteuid() != 0) return;
    // Another player who owns the folder and the files.
    for (const QString& p : {dir, table, ini}) ASSERT_EQ(chown(p.toLocal8Bit().constData(), 2001, 2001), 0);
    const QString tool = base.filePath("save_record");
    ASSERT_TRUE(QFile::copy(SAVE_RECORD_TOOL, tool));
    for (const QStringList& args : {QStringList{dir, "New", "900"}, QStringList{"--settings", dir}}) {
        QProcess p;
        p.start("setpriv",
                QStringList{"--reuid=2001", "--regid=2001", "--clear-groups", "--inh-caps=-all", tool} + args);
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 1) << args.join(' ').toStdString() << p.readAllStandardError().toStdString();
    }
    unchanged();
}

// The rewrite in place (a sticky folder's table) reads as a whole, exact
// table after every step, for a shorter text as for a longer one.
TEST(FileSafety, AnInPlaceRewriteLeavesAWholeTableAtEveryStep) {
    QTemporaryDir d;
    const QString path = d.filePath(hof::kFileName);
    const std::string longer = "Anna\r\n 3000 \r\nBoris\r\n 2000 \r\nPlumo\r\n 0 \r\n", shorter = "Anna\r\n 3000 \r\n";
    for (const auto& [from, to] : {std::pair{longer, shorter}, std::pair{shorter, longer}}) {
        Put(path, QByteArray::fromStdString(from));
        const hof::Table want = hof::Parse(to);
        int steps = 0;
        ASSERT_TRUE(textfile::RewriteInPlace(path.toStdString(), to, [&] {
            ++steps;
            const hof::Table now = *hof::ReadFile(d.path());
            EXPECT_EQ(now.colNames, want.colNames) << "step " << steps;
            EXPECT_EQ(now.colScores, want.colScores) << "step " << steps;
        }));
        EXPECT_GE(steps, from.size() > to.size() ? 3 : 2);
        EXPECT_EQ(Bytes(path).toStdString(), to);
    }
}
