// The game's files where things go wrong: a full disk, a folder named
// outside the code page, links, FIFOs and devices in a file's place, files
// far larger than a valid one, temporary files of an interrupted save.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
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
    // A huge file is read only up to what a valid one holds.
    QFile::remove(table);
    Put(table, QByteArray(50 * 1024 * 1024, 'x'));
    const auto t0 = std::chrono::steady_clock::now();
    const auto text = textfile::Read(table, hof::kMaxFileBytes);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size(), static_cast<size_t>(hof::kMaxFileBytes));
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
