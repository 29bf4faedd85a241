// Whole flows of the records: a landing through the ranking to the labels
// and the statistic, a game over through the name to the table file, the
// new-game question, and the side windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <thread>

#include "Answers.h"
#include "Game.h"
#include "Scripted.h"
#include "mainwindow/Colors.h"
#include "mainwindow/frmMain.h"
#include "platform/files/FileLock.h"
#include "platform/folders/ProgramFolder.h"
#include "records/frmEnterName.h"
#include "records/frmFuture.h"
#include "records/frmGameOver.h"
#include "records/frmGravloFathers.h"
#include "records/frmHelp.h"
#include "records/frmStatistic.h"

namespace {
// Typing, character by character, as a keyboard of any layout would.
void Type(QWidget* w, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

void ClickYes(QDialog* d) { static_cast<frmGameOver*>(d)->cmdYes->click(); }
void ClickNo(QDialog* d) { static_cast<frmGameOver*>(d)->cmdNo->click(); }
}  // namespace

TEST(RecordsFlow, FirstStartCreatesTheTableAndTheFirstPointsWin) {
    Game g;
    EXPECT_EQ(g.Table(), QByteArray("Plumo\r\n0\r\n"));
    EXPECT_EQ(g.w->GravloFathers()->lstTable->count(), 1);
    EXPECT_EQ(g.w->GravloFathers()->lstTable->item(0)->text(), "1. Plumo          0");
    EXPECT_EQ(g.w->lblPosition->text(), "Place # 2");
    EXPECT_EQ(g.w->GridColor(), RGB(150, 175, 175));

    g.Bar(3, 27);
    while (g.w->iFigureNo == 0) g.w->tmrDown_Timer();
    EXPECT_EQ(g.w->lblPosition->text(), "Place # 1");
    EXPECT_EQ(ForeColorOf(g.w->lblPosition), QBColor(11));
    EXPECT_TRUE(g.w->lblNextPlace->isHidden());
    EXPECT_TRUE(g.w->tmrMigMenuControls->Enabled());
    EXPECT_EQ(g.w->GridColor(), RGB(200, 200, 210));  // first place lightens the grid
    const QStringList s = g.Statistic();
    ASSERT_EQ(s.size(), 2);
    EXPECT_EQ(s[0], "...VICTORY !!!");
    EXPECT_TRUE(s[1].startsWith("1. +"));
    EXPECT_EQ(g.w->Statistic()->lstStatistic->currentRow(), 1);

    // The blink run lights the four menu buttons in turn and ends at rest.
    for (int i = 0; i < 5; ++i) g.w->tmrMigMenuControls_Timer();
    EXPECT_FALSE(g.w->tmrMigMenuControls->Enabled());
    for (QPushButton* b : {g.w->chkPause, g.w->chkHelp, g.w->chkDemo, g.w->chkSet})
        EXPECT_EQ(BackColorOf(b), g.w->lngPauseBackColor);
}

TEST(RecordsFlow, ALandingClimbsSeveralPlacesWithOneLine) {
    Game g("A\r\n 800 \r\nB\r\n 300 \r\nC\r\n 300 \r\n");
    EXPECT_EQ(g.w->lblPosition->text(), "Place # 4");
    g.w->lngScore = 2990;  // 299 shown; the landing brings at least 201 more
    g.Bar(3, 27);
    while (g.w->iFigureNo == 0) g.w->tmrDown_Timer();
    const int32_t shown = GameCore::Shown(g.w->lngScore);
    ASSERT_GT(shown, 300);
    ASSERT_LE(shown, 800);
    EXPECT_EQ(g.w->lblPosition->text(), "Place # 2");
    EXPECT_EQ(g.w->lblNextPlace->text(), QString("Next Place : +%1").arg(800 - shown));
    EXPECT_EQ(g.w->GravloFathers()->lstTable->currentRow(), 1);
    const QStringList s = g.Statistic();
    ASSERT_EQ(s.size(), 2);
    EXPECT_EQ(s[0], "...Place : 2");
    EXPECT_TRUE(s[1].startsWith("1. +"));
}

// Esc, pressed by reflex, answers none of the questions: the name, the new
// game and a help screen stay open until their own buttons answer.
TEST(RecordsFlow, EscAnswersNoQuestionWindow) {
    Game g;
    Answers a;
    bool stayed[3] = {false, false, false};
    auto escThen = [](bool& stayed, std::function<void(QDialog*)> answer) {
        return [&stayed, answer](QDialog* d) {
            QTest::keyClick(d->windowHandle(), Qt::Key_Escape);
            QApplication::processEvents();
            stayed = d->isVisible() && d->result() == 0;
            answer(d);
        };
    };
    a.Expect("frmEnterName", escThen(stayed[0], [](QDialog* d) {
                 static_cast<frmEnterName*>(d)->txtName->setText("Esc");
                 static_cast<frmEnterName*>(d)->cmdOk->click();
             }));
    a.Expect("frmGameOver", escThen(stayed[1], ClickNo));
    g.w->lngScore = 12340;
    g.LandAndEnd();
    ASSERT_TRUE(a.AllAnswered());
    EXPECT_TRUE(stayed[0]);
    EXPECT_TRUE(stayed[1]);
    EXPECT_FALSE(g.w->bCancelRecord);
    EXPECT_TRUE(g.Table().startsWith("Esc\r\n")) << g.Table().toStdString();
    EXPECT_EQ(g.exits, 1);  // by No, not by Esc

    frmHelp help(g.w.get());
    help.strText = "text";
    a.Expect("frmHelp", escThen(stayed[2], [](QDialog* d) { static_cast<frmHelp*>(d)->cmdNext->click(); }));
    help.ShowModal();
    EXPECT_TRUE(stayed[2]);
    EXPECT_FALSE(help.blnClose);  // the tour goes on
}

// Another copy holds the table: this one waits for it with a busy pointer,
// its windows alive, then saves; the pointer is back to normal afterwards.
TEST(RecordsFlow, ASaveWaitingForAnotherCopyShowsABusyPointer) {
    Game g;
    auto other = std::make_unique<FileLock>(QDir(g.dir.path()).filePath("GravlokFathers.txt.lock").toStdString(),
                                            QDir(g.dir.path()).filePath("GravlokFathers.txt").toStdString());
    ASSERT_TRUE(other->Locked());
    std::atomic<bool> busySeen{false};
    std::thread holder([&] {
        for (int i = 0; i < 1000 && !QApplication::overrideCursor(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        busySeen = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.reset();  // the other copy is done
    });
    // The window thread goes on meanwhile: its timers tick, its windows repaint.
    int ticks = 0;
    QTimer alive;
    QObject::connect(&alive, &QTimer::timeout, [&ticks] { ++ticks; });
    alive.start(10);
    ASSERT_EQ(g.Table(), "Plumo\r\n0\r\n");
    g.w->SaveHallOfFame();  // a declined name: the table is rewritten as it is
    holder.join();
    EXPECT_TRUE(busySeen);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(g.Table(), "Plumo\r\n 0 \r\n");
}

TEST(RecordsFlow, GameOverAsksTheNameEnterConfirmsAndYesStartsAfresh) {
    Game g;
    Answers a;
    a.Expect("frmEnterName",
             [](QDialog* d) { QTest::keyClick(static_cast<frmEnterName*>(d)->txtName, Qt::Key_Return); });
    a.Expect("frmGameOver", ClickYes);
    g.w->lngScore = 12340;
    g.w->iSpeed = 45;
    g.LandAndEnd();
    ASSERT_TRUE(a.AllAnswered());
    EXPECT_EQ(a.seen, (std::vector<QString>{"frmEnterName", "frmGameOver"}));
    EXPECT_EQ(g.exits, 0);
    // The table file holds the new row above the default row.
    const QByteArray t = g.Table();
    EXPECT_TRUE(t.startsWith("UnNamed\r\n 1")) << t.toStdString();
    EXPECT_TRUE(t.endsWith("\r\nPlumo\r\n 0 \r\n")) << t.toStdString();
    // A new game: nothing carried over, the table reloaded.
    EXPECT_EQ(g.w->lngScore, 0);
    EXPECT_EQ(g.w->iSpeed, 0);
    EXPECT_EQ(g.w->Statistic()->lstStatistic->count(), 0);
    EXPECT_EQ(g.w->GravloFathers()->lstTable->count(), 2);
    EXPECT_EQ(g.w->colNames, (std::vector<std::string>{"UnNamed", "Plumo"}));
    EXPECT_EQ(g.w->lblPosition->text(), "Place # 3");
    EXPECT_EQ(g.w->iFigureNo, 0);
}

TEST(RecordsFlow, AnEmptiedNameIsTheDateAndAClosedNameWindowAddsNothing) {
    Game g;
    Answers a;
    a.Expect("frmEnterName", [](QDialog* d) {
        auto* n = static_cast<frmEnterName*>(d);
        n->txtName->clear();
        n->cmdOk->click();
    });
    a.Expect("frmGameOver", ClickYes);
    g.w->lngScore = 5000;
    g.LandAndEnd();
    ASSERT_TRUE(a.AllAnswered());
    EXPECT_EQ(g.w->colNames.front(), "06.12.2026");

    const QByteArray before = g.Table();
    QFile ini(QDir(g.dir.path()).filePath("GMirvax.ini"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray settingsBefore = ini.readAll();
    ini.close();
    g.w->move(g.w->pos() + QPoint(40, 40));                    // something a save would write
    a.Expect("frmEnterName", [](QDialog* d) { d->close(); });  // the close box
    a.Expect("frmGameOver", ClickNo);
    g.w->lngScore = 900000;
    g.LandAndEnd();
    ASSERT_TRUE(a.AllAnswered());
    EXPECT_TRUE(g.w->bCancelRecord);
    EXPECT_EQ(g.Table(), before);  // rewritten as it was
    EXPECT_EQ(g.exits, 1);         // No ends the program
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(ini.readAll(), settingsBefore);  // and writes no settings
}

TEST(RecordsFlow, AFullTableKeepsALowScoreOutWithoutAskingAndIsStillRewritten) {
    QByteArray table;
    for (int i = 0; i < 99; ++i) table += "P" + QByteArray::number(i) + "\n" + QByteArray::number(1'000'000 - i) + "\n";
    Game g(table);
    EXPECT_EQ(g.w->lblPosition->text(), "");  // place 100 is not shown
    Answers a;
    a.Expect("frmGameOver", ClickNo);
    g.LandAndEnd();
    EXPECT_EQ(a.seen, (std::vector<QString>{"frmGameOver"}));
    const QByteArray t = g.Table();
    EXPECT_TRUE(t.startsWith("P0\r\n 1000000 \r\nP1\r\n")) << t.left(40).toStdString();
    EXPECT_EQ(t.count("\r\n"), 198);
    EXPECT_EQ(g.exits, 1);
}

TEST(RecordsFlow, TheNameBoxTakesTenCharactersTheTableCanStore) {
    bool cancel = true;
    frmEnterName d(nullptr, &cancel);
    EXPECT_EQ(d.txtName->selectedText(), "UnNamed");
    Type(d.txtName, QString::fromUtf8("Ёлка"));  // replaces the selection
    EXPECT_EQ(d.txtName->text(), QString::fromUtf8("Ёлка"));
    Type(d.txtName, QString::fromUtf8("Ωж"));  // no Greek in the code page
    EXPECT_EQ(d.txtName->text(), QString::fromUtf8("Ёлкаж"));
    Type(d.txtName, "123456789");
    EXPECT_EQ(d.txtName->text(), QString::fromUtf8("Ёлкаж12345"));  // the 11th is refused
    d.txtName->setText(QString::fromUtf8("x€y"));                   // the euro sign is in it
    EXPECT_EQ(d.txtName->text(), QString::fromUtf8("x€y"));
}

TEST(RecordsFlow, HostileTableFilesStillGiveAPlayableGame) {
    QByteArray many;
    for (int i = 0; i < 20'000; ++i) many += "N\r\n" + QByteArray::number(200'000 - i) + "\r\n";
    many += QByteArray("\x00\x01\xff\x98 binary", 12) + "\r\n" + QByteArray(300'000, 'x');  // no final line end
    Game g(many);
    // An edited table is read in full: the player below it.
    const size_t rows = g.w->colNames.size();
    EXPECT_EQ(rows, 20'001u);
    EXPECT_EQ(g.w->iPlace, static_cast<int>(rows));
    g.w->lngScore = 1'999'950;  // 199995 shown: climbs through the rows of its range
    g.Bar(3, 27);
    while (g.w->iFigureNo == 0) g.w->tmrDown_Timer();
    EXPECT_LT(g.w->iPlace, static_cast<int>(rows));
    EXPECT_TRUE(g.w->lblPosition->text().startsWith("Place # "));
}

TEST(SideWindows, AUserCloseHidesAListWindowAndKeepsItsLines) {
    Game g;
    frmStatistic* s = g.w->Statistic();
    s->lstStatistic->addItem("1. +201");
    s->show();
    s->close();  // the user's close
    EXPECT_TRUE(s->isHidden());
    EXPECT_EQ(g.w->Statistic(), s);
    g.w->chkStat->setChecked(false);
    g.w->chkStat->setChecked(true);
    EXPECT_TRUE(s->isVisible());
    EXPECT_EQ(s->lstStatistic->count(), 1);

    // The future window goes when the user closes it and comes back drawn.
    QPointer<frmFuture> f = g.w->Future();
    f->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.isNull());
    frmFuture* again = g.w->Future();
    EXPECT_FALSE(again->isVisible());
    EXPECT_NE(again->picFuture->canvas().PointAt(250 + 28, 250 + 28), RGB(64, 64, 64));

    // Closing the main window takes the list windows with it.
    QPointer<frmGravloFathers> h = g.w->GravloFathers();
    QPointer<frmStatistic> st = s;
    g.w.reset();
    EXPECT_TRUE(h.isNull());
    EXPECT_TRUE(st.isNull());
}

TEST(SideWindows, AClickInTheTableLeavesTheKeysWithTheWell) {
    Game g;
    g.w->show();
    QApplication::setActiveWindow(g.w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(g.w.get()));
    frmGravloFathers* h = g.w->GravloFathers();
    h->show();
    QListWidget* l = h->lstTable;
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(0)).center());
    l->setFocus();  // the list taking the focus hands it back at once
    QCoreApplication::processEvents();
    EXPECT_TRUE(g.w->isActiveWindow());
    g.w->iFigX = 9;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) g.w->arrC.Set(i, j, i == 1);
    QTest::keyClick(QApplication::focusWindow(), Qt::Key_Left);
    EXPECT_EQ(g.w->iFigX, 8);
}

TEST(SideWindows, HelpScreenUnrollsAndItsButtonsSetTheCloseFlag) {
    frmHelp h(nullptr);
    h.strText = QString::fromUtf8("Текущий счет.");
    Answers a;
    std::vector<int> heights;
    a.Expect("frmHelp", [&](QDialog* d) {
        auto* help = static_cast<frmHelp*>(d);
        heights.push_back(help->height());
        EXPECT_TRUE(QTest::qWaitFor([&] { return !help->tmrResize->Enabled(); }, 3000));
        heights.push_back(help->height());
        help->cmdNext->click();
    });
    h.ShowModal();
    ASSERT_EQ(heights.size(), 2u);
    EXPECT_LT(heights[0], 20);      // a thin strip at first
    EXPECT_GE(h.HeightTw(), 3030);  // stopped just above the full height
    EXPECT_LE(h.HeightTw(), 3130);
    EXPECT_GE(heights[1], 180 - 5);  // the text box and buttons in view
    EXPECT_EQ(h.txtText->toPlainText(), h.strText);
    EXPECT_EQ(h.txtText->width(), h.width());
    EXPECT_FALSE(h.blnClose);

    a.Expect("frmHelp", [](QDialog* d) { static_cast<frmHelp*>(d)->cmdClose->click(); });
    h.ShowModal();
    EXPECT_TRUE(h.blnClose);
    h.blnClose = false;
    a.Expect("frmHelp", [](QDialog* d) { d->close(); });  // the close box
    h.ShowModal();
    EXPECT_TRUE(h.blnClose);
}
