// Keys and mouse through the real event routes of the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "Scripted.h"
#include "mainwindow/Colors.h"
#include "mainwindow/frmMain.h"

namespace {
const std::string kBar4 = "0000111100000000";

struct Window {
    ScriptedRandom rnd;
    FixedClock clock{"08:15:00"};
    frmMain w{&rnd, &clock};
    Window() {
        w.Form_Load();
        w.tmrDown->SetEnabled(false);  // the test moves time itself
        w.show();
        QApplication::setActiveWindow(&w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) w.arrC.Set(i, j, kBar4[static_cast<size_t>(4 * i + j)] == '1');
        w.iFigX = 9;
        w.iFigY = 5;
    }
    void Key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(w.windowHandle(), k, m); }
};
}  // namespace

TEST(Keys, LeftMovesWhicheverControlHasTheFocus) {
    Window t;
    t.w.chkSet->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), t.w.chkSet);
    t.Key(Qt::Key_Left);
    EXPECT_EQ(t.w.iFigX, 8);
    // A key goes past several receivers; it still moves only once.
    t.w.picGravlok->setFocus();
    t.Key(Qt::Key_Right);
    EXPECT_EQ(t.w.iFigX, 9);
    EXPECT_EQ(BackColorOf(t.w.cmdLeftRight[2]), t.w.ColorButtons);
    EXPECT_EQ(QApplication::focusWidget(), t.w.picGravlok);
}

TEST(Keys, ShiftAndCtrlAreIgnored) {
    Window t;
    t.Key(Qt::Key_Left, Qt::ShiftModifier);
    t.Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(t.w.iFigX, 7);
    t.Key(Qt::Key_Up, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_FALSE(t.w.arrC(1, 0));  // turned: the bar lies in row 1
    EXPECT_TRUE(t.w.arrC(0, 1));
}

TEST(Keys, HeldKeyRepeatsAndOnlyTheRealReleaseRestoresTheColour) {
    Window t;
    QTest::keyPress(t.w.windowHandle(), Qt::Key_Left);
    EXPECT_EQ(BackColorOf(t.w.cmdLeftRight[0]), RGB(0, 255, 0));
    for (int i = 0; i < 3; ++i) {  // the window system's repeats
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(QApplication::focusWidget(), &release);
        EXPECT_EQ(BackColorOf(t.w.cmdLeftRight[0]), RGB(0, 255, 0));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
    EXPECT_EQ(t.w.iFigX, 5);
    for (int i = 0; i < 5; ++i) {  // at the wall it stops
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
    EXPECT_EQ(t.w.iFigX, 3);  // the bar's cells in column 4
    QTest::keyRelease(t.w.windowHandle(), Qt::Key_Left);
    EXPECT_EQ(BackColorOf(t.w.cmdLeftRight[0]), t.w.ColorButtons);
    EXPECT_EQ(BackColorOf(t.w.cmdLeftRight[2]), t.w.ColorButtons);
}

TEST(Keys, DownDuringADropDoesNothingUntilTheLanding) {
    Window t;
    t.rnd.Push(0.9f);  // drop sound choice
    t.Key(Qt::Key_Down);
    EXPECT_TRUE(t.w.bDropping);
    EXPECT_FALSE(t.w.cmdDown->isEnabled());
    EXPECT_EQ(BackColorOf(t.w.cmdDown), RGB(0, 0, 0));
    const long draws = t.rnd.draws;
    t.Key(Qt::Key_Down);  // nothing: no second drop sound drawn
    EXPECT_EQ(t.rnd.draws, draws);
    // Nor does a click or a double-click on the disabled button.
    QTest::mouseClick(t.w.cmdDown, Qt::LeftButton);
    QTest::mouseDClick(t.w.cmdDown, Qt::LeftButton);
    EXPECT_EQ(t.rnd.draws, draws);
    EXPECT_EQ(BackColorOf(t.w.cmdDown), RGB(0, 0, 0));
    while (t.w.iFigureNo == 0) t.w.tmrDown_Timer();
    EXPECT_TRUE(t.w.cmdDown->isEnabled());
    EXPECT_EQ(BackColorOf(t.w.cmdDown), t.w.ColorButtons);
    EXPECT_FALSE(t.w.bDropping);
    EXPECT_EQ(t.w.lblScore->text(), QString::number(GameCore::Shown(t.w.lngScore)));
}

TEST(Keys, WhilePausedOnlyEscActs) {
    Window t;
    t.Key(Qt::Key_Escape);
    EXPECT_TRUE(t.w.chkPause->isChecked());
    EXPECT_FALSE(t.w.bRunning);
    EXPECT_FALSE(t.w.tmrDown->Enabled());
    EXPECT_TRUE(t.w.fraControl->isHidden());
    const FigureGrid before = t.w.arrC;
    for (Qt::Key k : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Space}) t.Key(k);
    EXPECT_EQ(t.w.iFigX, 9);
    EXPECT_EQ(t.w.arrC, before);
    EXPECT_FALSE(t.w.bDropping);
    t.w.showNormal();
    QApplication::setActiveWindow(&t.w);
    t.Key(Qt::Key_Escape);
    EXPECT_FALSE(t.w.chkPause->isChecked());
    EXPECT_TRUE(t.w.bRunning);
    EXPECT_TRUE(t.w.tmrDown->Enabled());
    EXPECT_FALSE(t.w.fraControl->isHidden());
}

TEST(Mouse, AnyButtonPressesAndTheKeysWorkRightAfter) {
    Window t;
    QTest::mousePress(t.w.cmdLeftRight[0], Qt::RightButton);
    EXPECT_EQ(t.w.iFigX, 8);
    EXPECT_EQ(BackColorOf(t.w.cmdLeftRight[0]), RGB(0, 255, 0));
    QTest::mouseRelease(t.w.cmdLeftRight[0], Qt::RightButton);
    EXPECT_EQ(BackColorOf(t.w.cmdLeftRight[0]), t.w.ColorButtons);
    EXPECT_EQ(QApplication::focusWidget(), t.w.picGravlok);
    QTest::mouseClick(t.w.cmdLeftRight[2], Qt::LeftButton);
    EXPECT_EQ(t.w.iFigX, 9);
    t.Key(Qt::Key_Right);
    EXPECT_EQ(t.w.iFigX, 10);
    QTest::mouseClick(t.w.cmdRotate[0], Qt::MiddleButton);
    EXPECT_TRUE(t.w.arrC(0, 1));
}

TEST(Mouse, SpaceButtonShowsYellowEvenWhenTheInversionIsRefused) {
    Window t;
    t.w.iFigX = 16;  // the box would leave the playing area
    const FigureGrid before = t.w.arrC;
    QTest::mousePress(t.w.cmdSpace, Qt::LeftButton);
    EXPECT_EQ(BackColorOf(t.w.cmdSpace), RGB(255, 255, 0));
    EXPECT_EQ(t.w.arrC, before);
    QTest::mouseRelease(t.w.cmdSpace, Qt::LeftButton);
    EXPECT_EQ(BackColorOf(t.w.cmdSpace), t.w.ColorButtons);
    t.w.iFigX = 9;
    t.Key(Qt::Key_Space);
    EXPECT_FALSE(t.w.arrC(1, 0));
    EXPECT_TRUE(t.w.arrC(0, 0));
}
