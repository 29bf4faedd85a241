// The installed game with the table every account shares: the live place
// ranks the player against the shared table, and the record of a game's end
// lands there through the writer, not in a table of the player's own.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QListWidget>

#include "RecordSaving.h"
#include "platform/folders/DataFolder.h"
#include "records/frmGameOver.h"
#include "records/frmGravloFathers.h"

namespace {
const QString kFolder = TEST_SHARED_TABLE;

void Put(const QString& path, const QByteArray& b) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
}  // namespace

TEST(SharedTableFlow, TheLivePlaceAndTheSaveUseTheTableEveryAccountShares) {
    PlayersFolder players;
    QDir(kFolder).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(kFolder));
    const QString table = QDir(kFolder).filePath("GravlokFathers.txt");
    Put(table, "Ann\r\n 5000 \r\nBob\r\n 10 \r\n");  // another account's records
    Put(table + ".lock", "");
    SetSharedTable(kFolder, TEST_TABLE_WRITER);
    {
        Game g;  // the program folder holds no table
        EXPECT_EQ(g.w->lblPosition->text(), "Place # 3");
        EXPECT_EQ(g.w->GravloFathers()->lstTable->count(), 2);
        g.w->lngScore = 200;  // 20 points: past Bob
        g.w->UpdateRanking(20);
        EXPECT_EQ(g.w->lblPosition->text(), "Place # 2");

        Answers a;
        a.Expect("frmEnterName", EnterName);
        a.Expect("frmGameOver", [](QDialog* d) { static_cast<frmGameOver*>(d)->cmdNo->click(); });
        g.w->lngScore = 60000;
        g.LandAndEnd();
        ASSERT_TRUE(a.AllAnswered());
        EXPECT_EQ(Bytes(table), "Zoe\r\n 6204 \r\nAnn\r\n 5000 \r\nBob\r\n 10 \r\n");
        EXPECT_FALSE(QFile::exists(QDir(g.dir.path()).filePath("GravlokFathers.txt")));
        EXPECT_FALSE(QFile::exists(QDir(players.Data()).filePath("GravlokFathers.txt")));
        EXPECT_EQ(g.w->GravloFathers()->lstTable->count(), 3);
    }
    SetSharedTable(QString(), QString());
    QDir(kFolder).removeRecursively();
}
