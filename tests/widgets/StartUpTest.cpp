// The start-up routine: what it resets for a new game and what it keeps.
#include <gtest/gtest.h>

#include "Scripted.h"
#include "mainwindow/Colors.h"
#include "mainwindow/frmMain.h"
#include "records/frmStatistic.h"

namespace {
// Every figure ordinary: the figure draw 0.0 (k = 0) and 0.0 (not 25).
void ScriptOrdinaryStart(ScriptedRandom& rnd) {
    rnd.Push(0.99f);                                           // warm-up of the start-up, seconds 00
    rnd.Push(0.5f);                                            // ColorButtons: Int(7.5) + 1 = palette 8
    for (int s = 0; s < 5; ++s) rnd.Push({0.1f, 0.0f, 0.0f});  // warm-up, figure, Gravlok test
}
}  // namespace

TEST(StartUp, ResetsTheGameAndKeepsTheFallCounters) {
    ScriptedRandom rnd;
    FixedClock clock("08:15:00");
    frmMain w(&rnd, &clock);
    ScriptOrdinaryStart(rnd);
    w.Form_Load();
    EXPECT_EQ(rnd.Queued(), 0u);
    EXPECT_EQ(w.ColorButtons, QBColor(8));
    EXPECT_EQ(BackColorOf(w.cmdLeftRight[2]), QBColor(8));
    EXPECT_EQ(w.lngPauseBackColor, RGB(192, 0, 0));
    EXPECT_EQ(w.iCellCount, 8);  // two ordinary figures read
    EXPECT_EQ(w.arrQueue[1].strShape, "0000111010000000");
    EXPECT_TRUE(w.tmrDown->Enabled());

    // Play leaves its marks ...
    w.arrWell.Set(10, 30, true);
    w.iFigureNo = 40;
    w.iLevelLines = 5;
    w.iLevel = 3;
    w.lngGravlokBonus = 35000;
    w.lngTimeBonusTotal = 900;
    w.lngLineCounts[2] = 7;
    w.iTick = 0;
    w.iTimeTicks = 0;
    w.iSpeed = 45;
    w.lngScore = 12340;
    w.iFigX = 5;
    w.iFigY = 20;
    w.lblScore->setText("1234");
    w.lblSumBonus->setText("  Gravlok Bonus : 3500");
    w.lblCountLines[2]->setText("2-Lines*7 = 5600");
    w.Statistic()->lstStatistic->addItem("1. +201");
    w.bSoundReady = true;
    w.SpeedChange = 300;
    w.ForLoop = 1234;

    // ... which the next start-up clears.
    ScriptOrdinaryStart(rnd);
    w.Form_Load();
    EXPECT_FALSE(w.arrWell(10, 30));
    EXPECT_EQ(w.arrWell.UBoundCol(), 22);
    EXPECT_EQ(w.arrWell.UBoundRow(), 34);
    EXPECT_EQ(w.iWellMaxX, 22);
    EXPECT_EQ(w.iWellMaxY, 34);
    EXPECT_EQ(w.iFigX, 9);
    EXPECT_EQ(w.iFigY, 0);
    EXPECT_EQ(w.iFigureNo, 0);
    EXPECT_EQ(w.iLevelLines, 0);
    EXPECT_EQ(w.iLevel, 0);
    EXPECT_EQ(w.iCellCount, 8);
    EXPECT_EQ(w.lngGravlokBonus, 0);
    EXPECT_EQ(w.lngTimeBonusTotal, 0);
    EXPECT_EQ(w.lngLineCounts[2], 0);
    EXPECT_EQ(w.lblScore->text(), "---");
    EXPECT_EQ(w.lblSumBonus->text(), "");
    EXPECT_EQ(w.lblCountLines[2]->text(), "");
    EXPECT_EQ(w.lblLevel->text(), "Level # 0");
    EXPECT_EQ(ForeColorOf(w.lblLevel), QBColor(1));
    EXPECT_EQ(ForeColorOf(w.lblScore), 0xFFFFu);
    EXPECT_EQ(w.Statistic()->lstStatistic->count(), 0);
    EXPECT_TRUE(w.bRunning);
    EXPECT_FALSE(w.bDropping);
    EXPECT_TRUE(w.cmdDown->isEnabled());
    EXPECT_EQ(w.lblPause->pos(), w.fraControl->pos());
    // Kept: the fall counters, the score and speed (the end of a game clears
    // those), and the one-time sound set-up with the pan sweep.
    EXPECT_EQ(w.iTick, 0);
    EXPECT_EQ(w.iTimeTicks, 0);
    EXPECT_EQ(w.iSpeed, 45);
    EXPECT_EQ(w.lngScore, 12340);
    EXPECT_EQ(w.ForLoop, 1234);
    EXPECT_FALSE(w.chkDemo->isChecked());
    EXPECT_FALSE(w.tmrDemo->Enabled());
}

TEST(StartUp, FirstStartSetsThePanSweepOnce) {
    ScriptedRandom rnd;
    FixedClock clock("08:15:00");
    frmMain w(&rnd, &clock);
    EXPECT_FALSE(w.bSoundReady);
    w.Form_Load();
    EXPECT_TRUE(w.bSoundReady);
    EXPECT_EQ(w.iPanStep, 1);
    EXPECT_EQ(w.ForLoop, 0);  // no sweep step set
}

TEST(StartUp, PausedStartLeavesTheFallTimerOff) {
    ScriptedRandom rnd;
    FixedClock clock;
    frmMain w(&rnd, &clock);
    w.tmrDown->SetEnabled(false);
    w.chkPause->setChecked(true);
    w.Form_Load();
    EXPECT_FALSE(w.tmrDown->Enabled());
}

TEST(StartUp, GravlokNextFigureIsAnnouncedButLeavesNoStatisticLine) {
    ScriptedRandom rnd;
    FixedClock clock("08:15:00");
    frmMain w(&rnd, &clock);
    rnd.Push({0.99f, 0.5f});
    rnd.Push({0.1f, 0.0f, 0.0f});  // slot 1 ordinary
    rnd.Push({0.1f, 0.0f, 0.5f});  // slot 2 a Gravlok figure
    rnd.Push(0.1f);                // its pattern's warm-up
    rnd.PushN(15, 0.1f);
    rnd.Push(0.9f);  // one cell
    rnd.Push(0.0f);  // bonus 30000 tenths
    for (int s = 0; s < 3; ++s) rnd.Push({0.1f, 0.0f, 0.0f});
    w.Form_Load();
    ASSERT_TRUE(w.arrQueue[2].bSpecial);
    EXPECT_FALSE(w.lblFirma->isHidden());
    EXPECT_EQ(w.lblFirma->text(), QString::fromUtf8("Gravlok-фигурка Bonus 3000"));
    EXPECT_EQ(w.ColorFigura, 255u);
    EXPECT_EQ(w.Statistic()->lstStatistic->count(), 0);
}
