// What a player can do to the hall of fame at the end of a game: paste a
// name of several lines, give a record up, meet a table that cannot be
// written or a folder made read-only during the game, close the game by its
// own strip while another program holds the table. The list never shows a
// record the file does not hold, and no record goes anywhere unsaid.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include "RecordSaving.h"
#include "mainwindow/CaptionStrip.h"
#include "platform/files/FileLock.h"
#include "platform/folders/DataFolder.h"
#include "records/formats/PendingRecords.h"
#include "records/frmEnterName.h"
#include "records/frmGameOver.h"
#include "records/frmGravloFathers.h"

namespace {
const QByteArray kTable = "Ann\r\n 5000 \r\nBob\r\n 10 \r\n";

QStringList ListRows(const Game& g) {
    QStringList rows;
    QListWidget* list = g.w->GravloFathers()->lstTable;
    for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text().simplified();
    return rows;
}

// What the program writes on its standard error meanwhile.
class StandardError {
public:
    StandardError() : file_(std::tmpfile()) {
        std::fflush(stderr);
        saved_ = dup(2);
        dup2(fileno(file_), 2);
    }
    ~StandardError() {
        Stop();
        std::fclose(file_);
    }
    QString Text() {
        Stop();
        std::rewind(file_);
        QByteArray all;
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, file_)) > 0;) all.append(buf, static_cast<qsizetype>(n));
        return QString::fromUtf8(all);
    }

private:
    void Stop() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        dup2(saved_, 2);
        close(saved_);
        saved_ = -1;
    }
    std::FILE* file_;
    int saved_ = -1;
};
}  // namespace

TEST(RecordSafety, APastedNameOfTwoLinesIsCutAtTheBreakAndForgesNoRow) {
    Game g("Old\r\n 900 \r\n");
    QApplication::clipboard()->setText("Pat\r\n99999");
    QString typed;
    Answers a;
    a.Expect("frmEnterName", [&typed](QDialog* d) {
        auto* n = static_cast<frmEnterName*>(d);
        QTest::keyClick(n->txtName, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(n->txtName, Qt::Key_V, Qt::ControlModifier);
        typed = n->txtName->text();
        QTest::keyClick(n->txtName, Qt::Key_Return);
    });
    a.Expect("frmGameOver", [](QDialog* d) { static_cast<frmGameOver*>(d)->cmdNo->click(); });
    g.w->lngScore = 60000;
    g.LandAndEnd();
    ASSERT_TRUE(a.AllAnswered());
    EXPECT_EQ(typed, "Pat");
    EXPECT_EQ(g.Table(), "Pat\r\n 6204 \r\nOld\r\n 900 \r\n");

    // Pasted in the middle of a name: the text after the cursor stays.
    frmEnterName n(nullptr, nullptr);
    n.txtName->setText("abcdef");
    n.txtName->setCursorPosition(3);
    QApplication::clipboard()->setText("X\nY\tZ");
    n.txtName->paste();
    EXPECT_EQ(n.txtName->text(), "abcXdef");
    QApplication::clipboard()->setText("A\tB");  // other control characters are left out
    n.txtName->paste();
    EXPECT_EQ(n.txtName->text(), "abcXABdef");
}

TEST(RecordSafety, ARecordGivenUpOrNotWrittenIsGoneFromTheListBeforeTheNextWindow) {
    PlayersFolder players;
    {
        Game g(kTable);
        g.w->RecordWaitBound = std::chrono::milliseconds(300);
        auto other = HoldTable(g);
        QStringList atQuestion;
        Answers a;
        a.Expect("frmEnterName", EnterName);
        a.Expect("frmRecordBusy", [](QDialog* d) {
            for (QAbstractButton* b : static_cast<QMessageBox*>(d)->buttons())
                if (b->text() == QString::fromUtf8("Отказаться")) b->click();
        });
        a.Expect("frmGameOver", [&](QDialog* d) {
            atQuestion = ListRows(g);
            static_cast<frmGameOver*>(d)->cmdNo->click();
        });
        g.w->lngScore = 60000;
        g.LandAndEnd();
        ASSERT_TRUE(a.AllAnswered()) << a.seen.size();
        EXPECT_EQ(atQuestion, (QStringList{"1. Ann 5000", "2. Bob 10"}));
        EXPECT_EQ(g.Table(), kTable);
    }
    {
        Game g(kTable);
        ASSERT_EQ(chmod(QDir(g.dir.path()).filePath("GravlokFathers.txt").toLocal8Bit().constData(), 0444), 0);
        QStringList atMessage;
        Answers a;
        a.Expect("frmEnterName", EnterName);
        a.Expect("frmRecordMessage", [&](QDialog* d) {
            atMessage = ListRows(g);
            d->accept();
        });
        a.Expect("frmGameOver", [](QDialog* d) { static_cast<frmGameOver*>(d)->cmdNo->click(); });
        g.w->lngScore = 60000;
        g.LandAndEnd();
        ASSERT_TRUE(a.AllAnswered());
        EXPECT_EQ(atMessage, (QStringList{"1. Ann 5000", "2. Bob 10"}));
    }
}

TEST(RecordSafety, AProgramFolderMadeReadOnlyInPlayIsToldOfAndSendsNoRecordElsewhere) {
    PlayersFolder players;
    Game g(kTable);
    const QByteArray dir = g.dir.path().toLocal8Bit();
    bool mounted = false;
    if (geteuid() == 0) {  // the folder's modes bind no root: the disk is made read-only
        mounted = mount(dir.constData(), dir.constData(), nullptr, MS_BIND, nullptr) == 0 &&
                  mount(nullptr, dir.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
        if (!mounted) GTEST_SKIP() << "no bind mount here";
    } else {
        ASSERT_EQ(chmod(QDir(g.dir.path()).filePath("GravlokFathers.txt").toLocal8Bit().constData(), 0444), 0);
        ASSERT_EQ(chmod(dir.constData(), 0555), 0);
    }
    QString told;
    const bool answered = EndWithARecordNotWritten(g, told);
    if (mounted) umount(dir.constData());
    else chmod(dir.constData(), 0755);
    ASSERT_TRUE(answered);
    EXPECT_TRUE(told.startsWith(QString::fromUtf8("Рекорд не записан: "))) << told.toStdString();
    EXPECT_EQ(g.Table(), kTable);
    EXPECT_FALSE(QFile::exists(QDir(players.Data()).filePath("GravlokFathers.txt")));
}

TEST(RecordSafety, TheStripsCloseDuringTheWaitIsAnsweredAsTheWindowManagersIs) {
    PlayersFolder players;
    Game g(kTable);
    g.w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(g.w.get()));
    auto other = HoldTable(g);
    QString told;
    Answers a;
    a.Expect("frmEnterName", EnterName);
    a.Expect("frmRecordMessage", Read(told));
    WhenWaiting(100, [&g] {
        QWidget* close = g.w->captionStrip->cmdClose;
        const QPoint at = close->mapTo(g.w.get(), close->rect().center());
        QTest::mouseClick(g.w->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    });
    g.w->lngScore = 60000;
    g.LandAndEnd();
    ASSERT_TRUE(a.AllAnswered());
    EXPECT_TRUE(told.contains(QString::fromUtf8("при следующем запуске"))) << told.toStdString();
    EXPECT_EQ(g.exits, 1);
    EXPECT_TRUE(QFile::exists(QDir(players.Data()).filePath(pending::kFileName)));
}

TEST(RecordSafety, ARecordNothingCanKeepIsSaidInAMessageAndOnTheStandardError) {
    PlayersFolder players;
    QFile blocker(players.Data());  // a file where the data folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QFile spare(QDir(players.spareBase.path()).filePath("gravlok-" + QString::number(geteuid())));
    ASSERT_TRUE(spare.open(QIODevice::WriteOnly));
    spare.close();
    Game g(kTable);
    auto other = HoldTable(g);
    QString told;
    Answers a;
    a.Expect("frmEnterName", EnterName);
    a.Expect("frmRecordMessage", Read(told));
    WhenWaiting(100, [&g] { g.w->close(); });
    StandardError err;
    g.w->lngScore = 60000;
    g.LandAndEnd();
    const QString said = err.Text();
    ASSERT_TRUE(a.AllAnswered());
    EXPECT_TRUE(told.contains(QString::fromUtf8("сохранить его до следующего запуска негде"))) << told.toStdString();
    EXPECT_TRUE(said.contains(QString::fromUtf8("рекорд «Zoe» (6204) не записан"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QString::fromUtf8("потерян"))) << said.toStdString();
    EXPECT_EQ(g.exits, 1);
}
