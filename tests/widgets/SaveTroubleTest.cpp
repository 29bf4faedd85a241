// The end of a game when its record cannot be saved at once: a table that
// cannot be written is told of and not listed; a close or the session's end
// while another program holds the table is answered within a short grace,
// the record saved if the lock comes, otherwise kept for the next start.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>

#include "RecordSaving.h"
#include "platform/files/FileLock.h"
#include "records/formats/PendingRecords.h"
#include "records/frmEnterName.h"
#include "records/frmGameOver.h"
#include "records/frmGravloFathers.h"

namespace {
const QByteArray kTable = "Ann\r\n 5000 \r\nBob\r\n 10 \r\n";
}  // namespace

TEST(SaveTrouble, ARecordNotWrittenIsToldAndTheListShowsTheFile) {
    PlayersFolder players;
    Game g(kTable);
    const QString table = QDir(g.dir.path()).filePath("GravlokFathers.txt");
    ASSERT_EQ(chmod(table.toLocal8Bit().constData(), 0444), 0);
    QString told;
    ASSERT_TRUE(EndWithARecordNotWritten(g, told));
    EXPECT_EQ(told, QString::fromUtf8("Рекорд не записан: файл таблицы рекордов только для чтения."));
    EXPECT_EQ(g.Table(), kTable);
    QListWidget* list = g.w->GravloFathers()->lstTable;
    ASSERT_EQ(list->count(), 2);
    EXPECT_TRUE(list->item(0)->text().contains("Ann"));
    EXPECT_EQ(g.exits, 1);  // No: the game ends as before
}

TEST(SaveTrouble, ACloseDuringAWaitKeepsTheRecordForTheNextStartAndSaysSo) {
    PlayersFolder players;
    Game g(kTable);
    auto other = HoldTable(g);
    ASSERT_TRUE(other->Locked());
    QString told;
    Answers a;
    a.Expect("frmEnterName", EnterName);
    a.Expect("frmRecordMessage", Read(told));
    WhenWaiting(100, [&g] { g.w->close(); });
    const auto start = std::chrono::steady_clock::now();
    g.w->lngScore = 60000;
    g.LandAndEnd();
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(a.AllAnswered());
    EXPECT_TRUE(told.startsWith(QString::fromUtf8("Рекорд не записан: таблица рекордов занята"))) << told.toStdString();
    EXPECT_TRUE(told.contains(QString::fromUtf8("при следующем запуске"))) << told.toStdString();
    EXPECT_LT(took, std::chrono::seconds(30));  // a grace, not the whole wait
    EXPECT_EQ(g.exits, 1);
    EXPECT_EQ(std::count(a.seen.begin(), a.seen.end(), "frmGameOver"), 0);
    EXPECT_EQ(g.Table(), kTable);
    ASSERT_TRUE(QFile::exists(players.Pending()));

    // The next start puts it in, once.
    other.reset();
    g.w.reset();
    g.w = std::make_unique<frmMain>(&g.rnd, &g.clock);
    g.w->ExitProgram = [&g](int) { ++g.exits; };
    g.w->Form_Load();
    EXPECT_TRUE(g.Table().startsWith("Zoe\r\n 6204 \r\nAnn")) << g.Table().toStdString();
    EXPECT_FALSE(QFile::exists(players.Pending()));
    EXPECT_EQ(g.w->GravloFathers()->lstTable->count(), 3);
}

TEST(SaveTrouble, TheSessionsEndDuringAShortWaitStillSavesTheRecord) {
    PlayersFolder players;
    Game g(kTable);
    auto other = HoldTable(g);
    Answers a;
    a.Expect("frmEnterName", EnterName);
    WhenWaiting(200, [&g, &other] {
        g.w->EndBySession();                                   // the session ends...
        QTimer::singleShot(500, [&other] { other.reset(); });  // ...and the other program lets go
    });
    g.w->lngScore = 60000;
    g.LandAndEnd();
    ASSERT_TRUE(a.AllAnswered());
    EXPECT_EQ(a.seen, (std::vector<QString>{"frmEnterName"}));  // no question, no message
    EXPECT_EQ(g.exits, 1);
    EXPECT_TRUE(g.Table().startsWith("Zoe\r\n 6204 \r\nAnn")) << g.Table().toStdString();
    EXPECT_FALSE(QFile::exists(players.Pending()));
}
