// The main window as a whole: its shape, the minimise rule, Esc and the
// Pause button, Auto docking the side windows, the blink run and closing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "Game.h"
#include "mainwindow/CaptionStrip.h"
#include "mainwindow/Colors.h"
#include "records/frmFuture.h"
#include "records/frmGravloFathers.h"
#include "records/frmStatistic.h"

namespace {
std::vector<QWidget*> Sides(frmMain& w) { return {w.GravloFathers(), w.Statistic(), w.Future()}; }

struct ShownGame : Game {
    ShownGame() {
        w->move(100, 50);
        w->show();
        for (QWidget* s : Sides(*w)) s->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        w->tmrDown->SetEnabled(false);
    }
};

QByteArray SettingsFile(const Game& g) {
    QFile f(QDir(g.dir.path()).filePath("GMirvax.ini"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(WindowShape, TheMaskIsTheStripThePanelsAndTheBars) {
    Game g;
    EXPECT_EQ(g.w->size(), QSize(462, 614));
    EXPECT_TRUE(g.w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(g.w->client->geometry(), QRect(4, 27, 454, 587));
    QRegion expected(0, 0, 6930, 27);
    for (QRect r : {QRect(QPoint(10, 35), QPoint(262, 499)), QRect(QPoint(58, 507), QPoint(206, 595)),
                    QRect(QPoint(234, 515), QPoint(446, 603)), QRect(QPoint(290, 35), QPoint(454, 499)),
                    QRect(QPoint(274, 27), QPoint(276, 195)), QRect(QPoint(34, 555), QPoint(56, 559)),
                    QRect(QPoint(34, 491), QPoint(36, 555)), QRect(QPoint(202, 571), QPoint(248, 575)),
                    QRect(QPoint(258, 195), QPoint(296, 199))})
        expected += r;
    EXPECT_EQ(g.w->mask(), expected);
    // The caption strip with its buttons is inside; the gaps are not.
    EXPECT_TRUE(g.w->mask().contains(g.w->captionStrip->cmdClose->geometry().center()));
    EXPECT_TRUE(g.w->mask().contains(QPoint(450, 5)));
    EXPECT_FALSE(g.w->mask().contains(QPoint(275, 300)));  // between the well and the score panel
    EXPECT_FALSE(g.w->mask().contains(QPoint(20, 540)));   // left of the control panel
    EXPECT_FALSE(g.w->mask().contains(QPoint(5, 30)));     // the left margin under the strip
    EXPECT_TRUE(g.w->mask().contains(QPoint(275, 100)));   // the bar from the strip to the score panel
}

TEST(WindowShape, TheSizeIsHeldAndTheStripButtonsMinimiseAndClose) {
    ShownGame g;
    g.w->resize(600, 700);
    EXPECT_EQ(g.w->size(), QSize(462, 614));
    QTest::mouseClick(g.w->captionStrip->cmdMinimize, Qt::LeftButton);
    EXPECT_TRUE(g.w->isMinimized());
    EXPECT_TRUE(g.w->chkPause->isChecked());
    g.w->showNormal();
    QTest::mouseClick(g.w->captionStrip->cmdClose, Qt::LeftButton);
    EXPECT_FALSE(g.w->isVisible());
    EXPECT_FALSE(SettingsFile(g).isEmpty());
}

TEST(Pause, EscWhilePlayingPausesSwapsThePanelsAndMinimisesEveryWindow) {
    ShownGame g;
    g.w->tmrDown->SetEnabled(true);
    QTest::keyClick(g.w->windowHandle(), Qt::Key_Escape);
    EXPECT_TRUE(g.w->chkPause->isChecked());
    EXPECT_FALSE(g.w->fraControl->isVisible());
    EXPECT_FALSE(g.w->tmrDown->Enabled());
    EXPECT_FALSE(g.w->bRunning);
    EXPECT_TRUE(g.w->isMinimized());
    for (QWidget* s : Sides(*g.w)) EXPECT_TRUE(s->isMinimized()) << s->objectName().toStdString();
    // Restoring brings the side windows back and leaves the game paused.
    g.w->showNormal();
    for (QWidget* s : Sides(*g.w)) EXPECT_FALSE(s->isMinimized()) << s->objectName().toStdString();
    EXPECT_TRUE(g.w->chkPause->isChecked());
    EXPECT_FALSE(g.w->tmrDown->Enabled());
    // Esc again resumes.
    QTest::keyClick(g.w->windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(g.w->chkPause->isChecked());
    EXPECT_TRUE(g.w->fraControl->isVisible());
    EXPECT_TRUE(g.w->tmrDown->Enabled());
    EXPECT_TRUE(g.w->bRunning);
    EXPECT_FALSE(g.w->isMinimized());
}

TEST(Pause, AClickOnPausePausesWithoutMinimising) {
    ShownGame g;
    QTest::mouseClick(g.w->chkPause, Qt::LeftButton);
    EXPECT_TRUE(g.w->chkPause->isChecked());
    EXPECT_FALSE(g.w->fraControl->isVisible());
    EXPECT_FALSE(g.w->isMinimized());
    for (QWidget* s : Sides(*g.w)) EXPECT_FALSE(s->isMinimized());
    QTest::mouseClick(g.w->chkPause, Qt::LeftButton);
    EXPECT_FALSE(g.w->chkPause->isChecked());
    EXPECT_TRUE(g.w->bRunning);
}

TEST(Pause, MinimisingPausesAndRestoringLeavesThePause) {
    ShownGame g;
    g.w->tmrDown->SetEnabled(true);
    g.Statistic();  // a hidden side window only takes the state
    g.w->Statistic()->hide();
    g.w->showMinimized();
    EXPECT_TRUE(g.w->chkPause->isChecked());
    EXPECT_FALSE(g.w->bRunning);
    EXPECT_TRUE(g.w->GravloFathers()->isMinimized());
    EXPECT_TRUE(g.w->Future()->isMinimized());
    EXPECT_FALSE(g.w->Statistic()->isVisible());
    g.w->showNormal();
    EXPECT_TRUE(g.w->chkPause->isChecked());
    EXPECT_FALSE(g.w->tmrDown->Enabled());
    EXPECT_FALSE(g.w->GravloFathers()->isMinimized());
    EXPECT_FALSE(g.w->Statistic()->isVisible());
    EXPECT_FALSE(g.w->Statistic()->isMinimized());
}

TEST(Pause, MinimisingWhilePausedDoesNotReleaseIt) {
    ShownGame g;
    g.w->chkPause->setChecked(true);
    g.w->showMinimized();
    EXPECT_TRUE(g.w->chkPause->isChecked());
    g.w->showNormal();
    EXPECT_TRUE(g.w->chkPause->isChecked());
    EXPECT_FALSE(g.w->fraControl->isVisible());
}

TEST(Auto, BringsHiddenAndMinimisedSideWindowsUpDocked) {
    ShownGame g;
    g.w->chkRec->setChecked(false);  // hidden through its button
    g.w->Statistic()->hide();        // hidden by the user: its button stays down
    g.w->Future()->showMinimized();
    std::vector<QSize> sizes;
    for (QWidget* s : Sides(*g.w)) sizes.push_back(s->size());
    QTest::mouseClick(g.w->chkAuto, Qt::LeftButton);
    EXPECT_FALSE(g.w->chkAuto->isChecked());  // momentary
    for (QWidget* s : Sides(*g.w)) {
        EXPECT_TRUE(s->isVisible()) << s->objectName().toStdString();
        EXPECT_FALSE(s->isMinimized()) << s->objectName().toStdString();
    }
    EXPECT_TRUE(g.w->chkRec->isChecked());
    EXPECT_TRUE(g.w->chkStat->isChecked());
    EXPECT_TRUE(g.w->chkFuture->isChecked());
    const QRect m = g.w->frameGeometry();
    const QRect hall = g.w->GravloFathers()->frameGeometry();
    const QRect stat = g.w->Statistic()->frameGeometry();
    const QRect future = g.w->Future()->frameGeometry();
    // 20 twips beside the main window: 1.33 pixels; 40 twips: 2.67.
    EXPECT_EQ(future.topLeft(), QPoint(m.right() + 1 + 1, m.top()));
    EXPECT_EQ(stat.topLeft(), QPoint(m.right() + 1 + future.width() + 3, m.top()));
    EXPECT_EQ(hall.left(), m.right() + 1 + 1);
    EXPECT_EQ(hall.bottom(), m.bottom());
    // The sizes are left as they were.
    for (size_t i = 0; i < sizes.size(); ++i) EXPECT_EQ(Sides(*g.w)[i]->size(), sizes[i]);
}

TEST(Blink, ARunStartedDuringARunGoesOnAndEndsWithAllFourAtRest) {
    Game g;
    const Rgb rest = g.w->lngPauseBackColor;
    const Rgb green = RGB(0, 255, 0);
    QPushButton* menu[] = {g.w->chkPause, g.w->chkHelp, g.w->chkDemo, g.w->chkSet};
    g.w->tmrMigMenuControls->SetEnabled(true);
    g.w->tmrMigMenuControls_Timer();
    g.w->tmrMigMenuControls_Timer();
    EXPECT_EQ(BackColorOf(menu[1]), green);
    // The ranking starts a run only when none is running; enabling again
    // changes nothing either.
    g.w->tmrMigMenuControls->SetEnabled(true);
    g.w->tmrMigMenuControls_Timer();
    EXPECT_EQ(BackColorOf(menu[1]), rest);
    EXPECT_EQ(BackColorOf(menu[2]), green);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !g.w->tmrMigMenuControls->Enabled(); }, 2000));
    for (QPushButton* b : menu) EXPECT_EQ(BackColorOf(b), rest) << b->objectName().toStdString();
}

TEST(Closing, WhilePausedInDemoWithHiddenSideWindowsWritesTheSettingsAndClosesAll) {
    ShownGame g;
    QTest::mouseClick(g.w->chkPause, Qt::LeftButton);
    QTest::mouseClick(g.w->chkDemo, Qt::LeftButton);
    EXPECT_TRUE(g.w->tmrDemo->Enabled());
    g.w->chkStat->setChecked(false);
    g.w->Future()->hide();
    QPointer<QWidget> sides[] = {g.w->GravloFathers(), g.w->Statistic(), g.w->Future()};
    EXPECT_TRUE(g.w->close());
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (auto& s : sides) EXPECT_TRUE(s.isNull());
    const QList<QByteArray> lines = SettingsFile(g).split('\n');
    ASSERT_GE(lines.size(), 11);
    // The main window's place, then each side window's visibility and place.
    EXPECT_EQ(lines[0].trimmed(), "1500");
    EXPECT_EQ(lines[1].trimmed(), "750");
    EXPECT_EQ(lines[2].trimmed(), "True");
    EXPECT_EQ(lines[5].trimmed(), "False");
    EXPECT_EQ(lines[6].trimmed(), "False");
}
