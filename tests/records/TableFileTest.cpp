// The hall-of-fame file on disk: bytes, recovery, hostile contents, copies
// of the game saving at once, and a save cut off before it replaces the file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <random>

#include "records/formats/TableFile.h"

namespace {
QByteArray Bytes(const QString& dir) {
    QFile f(QDir(dir).filePath(hof::kFileName));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void Write(const QString& dir, const QByteArray& b) {
    QFile f(QDir(dir).filePath(hof::kFileName));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}
}  // namespace

TEST(TableFile, MissingFileIsRecreatedWithTheDefaultRowOnce) {
    QTemporaryDir d;
    const hof::Table t = hof::Load(d.path());
    EXPECT_EQ(Bytes(d.path()), QByteArray("Plumo\r\n0\r\n"));
    ASSERT_EQ(t.Rows(), 1u);
    EXPECT_EQ(t.colNames[0], "Plumo");
    EXPECT_EQ(t.colScores[0], 0);
    // A save writes the default row's score with its spaces.
    ASSERT_TRUE(hof::Save(d.path(), t, std::nullopt));
    EXPECT_EQ(Bytes(d.path()), QByteArray("Plumo\r\n 0 \r\n"));
}

TEST(TableFile, CyrillicNamesAreStoredInWindows1251) {
    QTemporaryDir d;
    Write(d.path(), "");
    hof::Table t = hof::Load(d.path());
    EXPECT_EQ(t.Rows(), 0u);  // an empty file is an empty table
    const hof::NewRow row{"Ёжик Иван", 5204};
    hof::InsertAt(t, 0, row.name, row.score);
    const auto saved = hof::Save(d.path(), t, row);
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, t);
    EXPECT_EQ(Bytes(d.path()), QByteArray("\xA8\xE6\xE8\xEA \xC8\xE2\xE0\xED\r\n 5204 \r\n"));
    EXPECT_EQ(hof::Load(d.path()), t);
    // LF-only files from elsewhere read the same.
    Write(d.path(), "\xC8\xE2\xE0\xED\n 5204 \n");
    EXPECT_EQ(hof::Load(d.path()).colNames[0], "Иван");
}

TEST(TableFile, HostileFilesLoadIntoAUsableTable) {
    QTemporaryDir d;
    std::mt19937 gen(7);
    QByteArray binary;
    for (int i = 0; i < 5000; ++i) binary.append(static_cast<char>(gen()));
    Write(d.path(), binary);
    hof::Table t = hof::Load(d.path());
    EXPECT_EQ(t.colNames.size(), t.colScores.size());
    for (double s : t.colScores) EXPECT_TRUE(std::isfinite(s));

    Write(d.path(), QByteArray(2000, 'x') + "\r\n" + QByteArray(400, '9') + "\r\nLast\r\n12");
    t = hof::Load(d.path());
    ASSERT_EQ(t.Rows(), 2u);  // the final line has no line end and still counts
    EXPECT_EQ(t.colNames[1], "Last");
    EXPECT_EQ(t.colScores[1], 12);
    // A 2 MB line is read whole, and it plays on.
    Write(d.path(), QByteArray(2'000'000, 'x') + "\r\n5\r\n");
    t = hof::Load(d.path());
    ASSERT_EQ(t.Rows(), 1u);
    EXPECT_EQ(t.colScores[0], 5);

    QByteArray many;
    for (int i = 0; i < 100'000; ++i)
        many += "N" + QByteArray::number(i) + "\r\n" + QByteArray::number(100'000 - i) + "\r\n";
    Write(d.path(), many);
    t = hof::Load(d.path());
    // Read in full.
    ASSERT_EQ(t.Rows(), 100'000u);
    const size_t rows = t.Rows();
    // A result entering such a table pushes out row 100 only, as any
    // insertion past 99 rows does.
    const hof::NewRow row{"New", 99'000.5};
    ASSERT_TRUE(hof::Save(d.path(), t, row));
    const hof::Table back = hof::Load(d.path());
    ASSERT_EQ(back.Rows(), rows);          // one in, row 100 out
    EXPECT_EQ(back.colNames[999], "New");  // above N1000, one up once row 100 went
    EXPECT_EQ(back.colNames[99], "N100");  // N99 was row 100
}

// Eight copies ending their games together on a slow share (every save's
// write takes 0.25 s): every record lands, no copy saves while another does,
// and none waits longer than the saves ahead of it take.
TEST(TableFile, CopiesOnASlowShareWaitTheirTurnAndLoseNoRecord) {
    QTemporaryDir d;
    hof::Load(d.path());
    constexpr int kCopies = 8;
    constexpr double kDelay = 0.25;
    std::vector<std::unique_ptr<QProcess>> procs;
    for (int i = 0; i < kCopies; ++i) {
        auto p = std::make_unique<QProcess>();
        p->start(SAVE_RECORD_TOOL,
                 {d.path(), QString("Slow%1").arg(i), QString::number(100 + i), QString::number(kDelay)});
        procs.push_back(std::move(p));
    }
    double longest = 0;
    for (auto& p : procs) {
        ASSERT_TRUE(p->waitForFinished(60000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        const QList<QByteArray> out = p->readAllStandardOutput().trimmed().split(' ');
        ASSERT_EQ(out.size(), 2);
        EXPECT_EQ(out[1], "alone");
        longest = std::max(longest, out[0].toDouble());
    }
    // The last in line waits for the seven ahead of it, and not much more.
    EXPECT_LT(longest, (kCopies - 1) * kDelay + 1.0);
    const hof::Table t = hof::Load(d.path());
    EXPECT_EQ(t.Rows(), kCopies + 1u);
}

// Two Linux players of one group sharing a group folder, and two players
// sharing a sticky world-writable folder: each one's records are saved.
TEST(TableFile, TwoPlayersShareAGroupFolderAndAStickyFolder) {
    if (geteuid() != 0) GTEST_SKIP() << "playing as two other users needs root";
    for (const mode_t folderMode : {mode_t(02775), mode_t(01777)}) {
        QTemporaryDir base;
        chmod(base.path().toLocal8Bit().constData(), 0755);
        const QString dir = base.filePath("shared");
        ASSERT_TRUE(QDir().mkdir(dir));
        // The tool where the two players may run it, wherever the build lies.
        const QString tool = base.filePath("save_record");
        ASSERT_TRUE(QFile::copy(SAVE_RECORD_TOOL, tool));
        ASSERT_EQ(chown(dir.toLocal8Bit().constData(), 0, 3000), 0);
        ASSERT_EQ(chmod(dir.toLocal8Bit().constData(), folderMode), 0);
        auto play = [&](int uid, const QString& name, int score) {
            QProcess p;
            // A player of his own, in the group 3000, with the usual umask.
            p.start("setpriv", {QString("--reuid=%1").arg(uid), QString("--regid=%1").arg(uid), "--groups=3000",
                                "--inh-caps=-all", tool, dir, name, QString::number(score)});
            EXPECT_TRUE(p.waitForFinished(30000));
            EXPECT_EQ(p.exitCode(), 0) << name.toStdString() << " " << p.readAllStandardError().toStdString();
        };
        play(2001, "Anna", 100);
        play(2002, "Boris", 200);
        play(2001, "Anna2", 300);
        play(2002, "Boris2", 400);
        const hof::Table t = hof::Load(dir);
        EXPECT_EQ(t.colNames, (std::vector<std::string>{"Boris2", "Anna2", "Boris", "Anna", "Plumo"}))
            << "folder mode " << std::oct << folderMode;
        const QFileInfo table(QDir(dir).filePath(hof::kFileName));
        EXPECT_TRUE(table.permissions() & (folderMode & S_IWOTH ? QFile::WriteOther : QFile::WriteGroup));
    }
}

TEST(TableFile, SavesRereadTheFileAndKeepRowsOthersSaved) {
    QTemporaryDir d;
    hof::Table mine = hof::Load(d.path());  // Plumo 0
    // Another copy saves a record meanwhile.
    hof::Table other = hof::Load(d.path());
    hof::InsertAt(other, 0, "Other", 700);
    ASSERT_TRUE(hof::Save(d.path(), other, hof::NewRow{"Other", 700}));
    // This copy saves its own row: both are kept, each at its place.
    hof::InsertAt(mine, 0, "Mine", 500);
    const auto saved = hof::Save(d.path(), mine, hof::NewRow{"Mine", 500});
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->colNames, (std::vector<std::string>{"Other", "Mine", "Plumo"}));
    EXPECT_EQ(Bytes(d.path()), QByteArray("Other\r\n 700 \r\nMine\r\n 500 \r\nPlumo\r\n 0 \r\n"));
    // A declined name rewrites the table as it is in the file.
    ASSERT_TRUE(hof::Save(d.path(), mine, std::nullopt));
    EXPECT_EQ(hof::Load(d.path()).colNames, (std::vector<std::string>{"Other", "Mine", "Plumo"}));
}

TEST(TableFile, ANameWithLineBreaksStaysOneRowAndForgesNothing) {
    // A name pasted as "Pat", CR LF, "99999": saved as the name "Pat" with the
    // game's score, every other row kept with its own score.
    QTemporaryDir d;
    Write(d.path(), "Old\r\n 500 \r\nLow\r\n 10 \r\n");
    const auto saved = hof::Save(d.path(), hof::Table{}, hof::NewRow{"Pat\r\n99999", 100});
    ASSERT_TRUE(saved);
    EXPECT_EQ(Bytes(d.path()), QByteArray("Old\r\n 500 \r\nPat\r\n 100 \r\nLow\r\n 10 \r\n"));
    // Whatever a table was given, a name is written as one line.
    hof::Table t;
    hof::InsertAt(t, 0, "A\nB", 7);
    EXPECT_EQ(hof::Format(t), "A\r\n 7 \r\n");
}

TEST(TableFile, CopiesSavingAtOnceLoseNoRecord) {
    QTemporaryDir d;
    hof::Load(d.path());
    constexpr int kCopies = 12;
    std::vector<std::unique_ptr<QProcess>> procs;
    for (int i = 0; i < kCopies; ++i) {
        auto p = std::make_unique<QProcess>();
        p->start(SAVE_RECORD_TOOL, {d.path(), QString("Copy%1").arg(i), QString::number(100 + i)});
        procs.push_back(std::move(p));
    }
    for (auto& p : procs) {
        ASSERT_TRUE(p->waitForFinished(30000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
    }
    const hof::Table t = hof::Load(d.path());
    ASSERT_EQ(t.Rows(), kCopies + 1u);
    for (int i = 0; i < kCopies; ++i) {  // best first: Copy11 ... Copy0, then Plumo
        EXPECT_EQ(t.colNames[static_cast<size_t>(i)], "Copy" + std::to_string(kCopies - 1 - i));
        EXPECT_EQ(t.colScores[static_cast<size_t>(i)], 100 + kCopies - 1 - i);
    }
    EXPECT_EQ(t.colNames.back(), "Plumo");
    // The lock file stays (the lock is on it, not in it); no temporary file does.
    EXPECT_EQ(QDir(d.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({QString(hof::kFileName), QString(hof::kFileName) + ".lock"}));
}

TEST(TableFile, ASaveCutOffBeforeTheReplaceLeavesTheOldTable) {
    QTemporaryDir d;
    Write(d.path(), "Old\r\n 900 \r\n");
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {  // the copy that dies while saving
        hof::Table t = hof::Load(d.path());
        hof::InsertAt(t, 0, "Lost", 1000);
        hof::Save(d.path(), t, hof::NewRow{"Lost", 1000}, [] { _exit(9); });
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 9);  // it did die inside the save
    EXPECT_EQ(Bytes(d.path()), QByteArray("Old\r\n 900 \r\n"));
    // The lock it left is taken over; the next save goes through.
    const auto saved = hof::Save(d.path(), hof::Load(d.path()), hof::NewRow{"Next", 950});
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->colNames, (std::vector<std::string>{"Next", "Old"}));
}

TEST(TableFile, AFolderThatCannotBeWrittenLeavesTheFileAsItWas) {
    if (geteuid() == 0) {
        // Root writes anywhere; a file in place of the folder fails for everyone.
        QTemporaryDir d;
        const QString notADir = QDir(d.path()).filePath("plain");
        QFile f(notADir);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        const hof::Table t = hof::Load(notADir);
        EXPECT_EQ(t.colNames, std::vector<std::string>{"Plumo"});  // the default row, without a file
        EXPECT_FALSE(hof::Save(notADir, t, hof::NewRow{"X", 5}));
        return;
    }
    QTemporaryDir d;
    Write(d.path(), "Kept\r\n 5 \r\n");
    QFile::setPermissions(d.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(hof::Save(d.path(), hof::Load(d.path()), hof::NewRow{"X", 9}));
    QFile::setPermissions(d.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(Bytes(d.path()), QByteArray("Kept\r\n 5 \r\n"));
}

// Whatever stands at the lock file's path (a folder, a FIFO, another
// player's link), eight copies ending their games together on a slow share
// still save one at a time, and every record lands.
TEST(TableFile, NothingPlantedAtTheLockPathSwitchesTheLockOff) {
    const std::vector<std::string> plants = geteuid() == 0 ? std::vector<std::string>{"folder", "fifo", "link"}
                                                           : std::vector<std::string>{"folder", "fifo"};
    for (const std::string& plant : plants) {
        QTemporaryDir d;
        hof::Load(d.path());
        const QByteArray lock = QDir(d.path()).filePath(QString(hof::kFileName) + ".lock").toLocal8Bit();
        if (plant == "folder") {
            ASSERT_EQ(mkdir(lock.constData(), 0755), 0);
        }
        if (plant == "fifo") {
            ASSERT_EQ(mkfifo(lock.constData(), 0644), 0);
        }
        if (plant == "link") {  // another player's link to a file of his
            ASSERT_EQ(symlink("/etc/hostname", lock.constData()), 0);
            ASSERT_EQ(lchown(lock.constData(), 2001, 2001), 0);
        }
        constexpr int kCopies = 8;
        std::vector<std::unique_ptr<QProcess>> procs;
        for (int i = 0; i < kCopies; ++i) {
            auto p = std::make_unique<QProcess>();
            p->start(SAVE_RECORD_TOOL, {d.path(), QString("Copy%1").arg(i), QString::number(100 + i), "0.1"});
            procs.push_back(std::move(p));
        }
        for (auto& p : procs) {
            ASSERT_TRUE(p->waitForFinished(60000));
            EXPECT_EQ(p->exitCode(), 0) << plant << " " << p->readAllStandardError().toStdString();
            EXPECT_TRUE(p->readAllStandardOutput().contains("alone")) << plant;
        }
        EXPECT_EQ(hof::Load(d.path()).Rows(), kCopies + 1u) << plant;
    }
}

namespace {
QByteArray TableOf(size_t rows) {
    hof::Table t;
    for (size_t i = 0; i < rows; ++i) {
        t.colNames.push_back("Player" + std::to_string(i));
        t.colScores.push_back(9'999'000.0 - 475.0 * static_cast<double>(i));
    }
    return QByteArray::fromStdString(hof::Format(t));
}
}  // namespace

// An edited table of 3000 rows with seven-digit scores: every row read as
// written, and a game over that adds no row writes it back byte for byte.
TEST(TableFile, ATableOfThousandsOfRowsIsWrittenBackByteForByte) {
    QTemporaryDir d;
    const QByteArray text = TableOf(3000);
    Write(d.path(), text);
    const hof::Table t = hof::Load(d.path());
    ASSERT_EQ(t.Rows(), 3000u);
    EXPECT_EQ(t.colScores[1424], 9'999'000.0 - 475.0 * 1424);
    EXPECT_EQ(hof::InsertIndex(t, 5), -1);  // no place for a small score in a full table
    ASSERT_TRUE(hof::Save(d.path(), t, std::nullopt));
    EXPECT_EQ(Bytes(d.path()), text);
}

// A file past the bound: its whole rows within the bound are read, no score
// from a cut line, and no save writes it.
TEST(TableFile, AFilePastTheBoundIsReadInWholeRowsAndLeftAsItWas) {
    QTemporaryDir d;
    const QByteArray row = "Name\r\n 1234567 \r\n";
    QByteArray text;
    text.reserve(static_cast<qsizetype>(hof::kMaxFileBytes) + 4096);
    while (text.size() <= hof::kMaxFileBytes) text += row;
    Write(d.path(), text);
    const hof::Table t = hof::Load(d.path());
    ASSERT_GT(t.Rows(), 900'000u);
    for (double s : t.colScores) ASSERT_EQ(s, 1234567);
    EXPECT_FALSE(hof::Save(d.path(), t, hof::NewRow{"New", 2e6}));
    EXPECT_EQ(Bytes(d.path()), text);
}
