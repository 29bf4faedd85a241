// Scripted landings through the fall tick: scoring, line removal, the line
// statistics, the time bonus, levels, the statistic lines and game over.
#include <gtest/gtest.h>

#include "FakeHost.h"

namespace {
const std::string kBar4 = "0000111100000000";    // column 1, rows 0 to 3
const std::string kSquare = "0000011001100000";  // columns 1-2, rows 1-2

// A drop of the bar into column 10 down to the floor of a well whose rows
// `full` are filled except column 10.
void FillExceptColumn10(Game& g, std::initializer_list<int> rows) {
    for (int r : rows) g.FillRow(r, {10});
}
}  // namespace

TEST(Landing, WithoutLinesScoresTimeAndCellBonus) {
    Game g;
    g.SetFigure(kSquare, 9, 28);  // resting on the floor
    g.core.iCellCount = 8;
    g.core.iTimeTicks = 50;
    g.core.lngScore = 1000;
    g.core.iTick = 149;  // its fall period is up on the next tick
    ASSERT_EQ(g.TickUntilLanding(1), 1);
    // The landing tick counts too: 10 * (201 - 51) + 4 * 8 tenths.
    EXPECT_EQ(g.core.lngScore, 1000 + 1500 + 32);
    EXPECT_EQ(g.host.Caption(Label::Score), "253");  // 253.2
    ASSERT_EQ(g.host.statistic.size(), 1u);
    EXPECT_EQ(g.host.statistic.back(), "1. +153");
    EXPECT_EQ(g.host.selected, 0);
    EXPECT_EQ(g.core.iFigureNo, 1);
    EXPECT_TRUE(g.core.arrWell(10, 29) && g.core.arrWell(11, 30));
    EXPECT_EQ(g.core.iFigX, 9);
    EXPECT_EQ(g.core.iFigY, 0);
    EXPECT_EQ(g.core.iTimeTicks, 0);
    EXPECT_EQ(g.host.Caption(Label::TimeBonus), "150");
    EXPECT_EQ(g.core.lngTimeBonusTotal, 150);
    EXPECT_EQ(g.host.Caption(Label::TotalScore), "150");
    ASSERT_EQ(g.host.rankings.size(), 1u);
    EXPECT_EQ(g.host.rankings[0], 253);
}

TEST(Landing, GravlokBonusComesAfterTheRanking) {
    Game g;
    g.SetFigure(kSquare, 9, 28);
    g.core.arrQueue[1].lngBonus = 35001;
    g.core.arrQueue[1].bSpecial = true;
    g.core.iCellCount = 0;
    g.core.bDropping = true;
    ASSERT_EQ(g.TickUntilLanding(1), 1);
    EXPECT_EQ(g.host.rankings[0], 201);
    EXPECT_EQ(g.core.lngScore, 2010 + 35001);
    EXPECT_EQ(g.core.lngGravlokBonus, 35001);
    EXPECT_EQ(g.host.Caption(Label::SumBonus), "  Gravlok Bonus : 3500");
    EXPECT_EQ(g.host.statistic.back(), "1. +3701");  // 3701.1
    EXPECT_FALSE(g.host.labels[Label::Firma].visible);
}

TEST(Landing, FourRowsAtOnce) {
    Game g;
    FillExceptColumn10(g, {27, 28, 29, 30});
    g.core.arrWell.Set(7, 26, true);  // a cell above the removed rows comes down
    g.SetFigure(kBar4, 9, 27);
    g.core.iCellCount = 8;
    g.core.bDropping = true;
    g.host.sounds.clear();
    ASSERT_EQ(g.TickUntilLanding(1), 1);
    EXPECT_EQ(g.core.lngScore, 50000 + 2010 + 32);
    EXPECT_EQ(g.host.Caption(Label::CountLines4), "4-Lines*1 = 5000");
    EXPECT_EQ(g.host.statistic.back(), "1. +5204 -> 4 lines");
    EXPECT_EQ(g.core.iLastLines, 4);
    EXPECT_TRUE(g.host.TimerEnabled(Timer::MigCountLines));
    for (int m = 1; m <= 4; ++m) EXPECT_EQ(g.host.ForeColor(CountLinesLabel(m)), 0xFFFFu);
    // The well holds only the cell that came down four rows.
    int filled = 0;
    for (int c = 0; c <= 22; ++c)
        for (int r = 0; r <= 34; ++r) filled += g.core.arrWell(c, r);
    EXPECT_EQ(filled, 1);
    EXPECT_TRUE(g.core.arrWell(7, 30));
    // The landing sound, then the line sound.
    ASSERT_GE(g.host.sounds.size(), 2u);
    EXPECT_TRUE(g.host.sounds[0] == Sound::Down1 || g.host.sounds[0] == Sound::Down2);
    EXPECT_EQ(g.host.sounds[1], Sound::DelLin1);

    FillExceptColumn10(g, {27, 28, 29});
    g.FillRow(30, {7, 10});
    g.core.arrWell.Set(7, 30, true);
    g.SetFigure(kBar4, 9, 27);
    g.core.bDropping = true;
    g.core.iBlinkTicks = 3;  // a blink under way starts over
    ASSERT_EQ(g.TickUntilLanding(1), 1);
    EXPECT_EQ(g.host.Caption(Label::CountLines4), "4-Lines*2 = 10000");
    EXPECT_EQ(g.core.iBlinkTicks, 0);
}

TEST(Landing, TwoFullRowsWithAPartialRowBetween) {
    Game g;
    g.FillRow(30, {10});
    g.FillRow(29, {5, 10});
    g.FillRow(28, {10});
    g.SetFigure(kBar4, 9, 27);
    g.core.bDropping = true;
    ASSERT_EQ(g.TickUntilLanding(1), 1);
    EXPECT_EQ(g.core.iLastLines, 2);
    EXPECT_EQ(g.host.Caption(Label::CountLines2), "2-Lines*1 = 800");
    // Row 29 (with its gap at column 5, filled at 10 now) is row 30 now.
    EXPECT_FALSE(g.core.arrWell(5, 30));
    EXPECT_TRUE(g.core.arrWell(10, 30));
    EXPECT_TRUE(g.core.arrWell(10, 29));  // the bar's top cell from row 27
}

TEST(TimeBonus, CountsDownFrom200AndADropBeforeTheFirstTickKeeps201) {
    Game g;
    g.SetFigure(kSquare, 9, 0);
    g.core.tmrDown_Timer();
    EXPECT_EQ(g.host.Caption(Label::TimeBonus), "200");
    g.core.tmrDown_Timer();
    EXPECT_EQ(g.host.Caption(Label::TimeBonus), "199");
    for (int t = 0; t < 300; ++t) g.core.tmrDown_Timer();
    EXPECT_EQ(g.core.iTimeTicks, 201);
    EXPECT_EQ(g.host.Caption(Label::TimeBonus), "0");

    Game d;
    d.SetFigure(kSquare, 9, 0);
    d.core.iCellCount = 0;
    d.core.bDropping = true;
    const int ticks = d.TickUntilLanding();
    EXPECT_EQ(ticks, 29);  // rows 0 to 28, then the landing
    EXPECT_EQ(d.core.lngScore, 2010);
    EXPECT_EQ(d.host.Caption(Label::TimeBonus), "201");
}

TEST(FallPeriod, OneRowEvery150MinusSpeedTicks) {
    Game g;
    g.SetFigure(kSquare, 9, 0);
    g.core.iTick = 0;
    for (int t = 0; t < 149; ++t) g.core.tmrDown_Timer();
    EXPECT_EQ(g.core.iFigY, 0);
    g.core.tmrDown_Timer();
    EXPECT_EQ(g.core.iFigY, 1);
    g.core.iSpeed = 150;  // level 10: every tick
    g.core.tmrDown_Timer();
    g.core.tmrDown_Timer();
    EXPECT_EQ(g.core.iFigY, 3);
    // Until the first landing the score shows "---".
    EXPECT_EQ(g.host.Caption(Label::Score), "---");
}

TEST(Levels, NineLinesRaiseTheLevelBeforeTheLandingLine) {
    Game g;
    g.core.iLevelLines = 8;
    g.core.lngScore = 12345;
    g.FillRow(30, {10});
    g.SetFigure(kBar4, 9, 27);
    g.core.bDropping = true;
    ASSERT_EQ(g.TickUntilLanding(1), 1);
    EXPECT_EQ(g.core.iSpeed, 15);
    EXPECT_EQ(g.core.iLevel, 1);
    EXPECT_EQ(g.core.iLevelLines, 0);
    EXPECT_EQ(g.host.Caption(Label::Level), "Level # 1");
    EXPECT_EQ(g.host.Caption(Label::Remain), "123456789");
    EXPECT_TRUE(g.host.TimerEnabled(Timer::Level));
    ASSERT_EQ(g.host.statistic.size(), 3u);
    EXPECT_EQ(g.host.statistic[0], "...Level # 1");
    EXPECT_EQ(g.host.statistic[1], "...Score : 1234");  // before this landing is scored
    EXPECT_EQ(g.host.statistic[2].substr(0, 4), "1. +");
}

TEST(Levels, FourLinesAtSixLevelLinesRaiseOnce) {
    Game g;
    g.core.iLevelLines = 6;
    FillExceptColumn10(g, {27, 28, 29, 30});
    g.SetFigure(kBar4, 9, 27);
    g.core.bDropping = true;
    ASSERT_EQ(g.TickUntilLanding(1), 1);
    EXPECT_EQ(g.core.iLevel, 1);
    EXPECT_EQ(g.core.iLevelLines, 1);
    EXPECT_EQ(g.host.Caption(Label::Remain), "12345678");
}

TEST(Levels, NoLevelUpAtTopSpeed) {
    Game g;
    g.core.iSpeed = 150;
    g.core.iLevel = 10;
    g.core.iLevelLines = 8;
    g.FillRow(30, {10});
    g.FillRow(29, {10});
    g.SetFigure(kBar4, 9, 27);
    g.core.bDropping = true;
    int16_t lines = 0;
    g.core.Update_Array_C();
    g.core.RemoveFullLines(g.core.iSpeed, lines);
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(g.core.iLevel, 10);
    EXPECT_EQ(g.core.iSpeed, 150);
    EXPECT_EQ(g.core.iLevelLines, 10);
    EXPECT_EQ(g.host.Caption(Label::Remain), "");
    EXPECT_TRUE(g.host.statistic.empty());
}

TEST(Levels, LevelLabelBlinksElevenTimes) {
    Game g;
    g.core.iLevel = 3;
    g.host.EnableTimer(Timer::Level, true);
    int ticks = 0;
    while (g.host.TimerEnabled(Timer::Level) && ticks < 100) {
        g.core.tmrLevel_Timer();
        ++ticks;
    }
    EXPECT_EQ(ticks, 11);
    EXPECT_EQ(g.host.ForeColor(Label::Level), QBColor(4));
    EXPECT_EQ(g.core.iLevelBlinks, 0);
}

TEST(Levels, LineCountBlinkAlternatesAndEndsYellow) {
    Game g;
    g.core.iLastLines = 2;
    g.host.SetForeColor(Label::CountLines2, 0xFFFF);
    g.host.EnableTimer(Timer::MigCountLines, true);
    std::vector<Rgb> seen;
    while (g.host.TimerEnabled(Timer::MigCountLines) && seen.size() < 20) {
        g.core.tmrMigCountLines_Timer();
        seen.push_back(g.host.ForeColor(Label::CountLines2));
    }
    EXPECT_EQ(seen, (std::vector<Rgb>{0, 0xFFFF, 0, 0xFFFF, 0, 0xFFFF}));
    EXPECT_EQ(g.core.iBlinkTicks, 0);
}

TEST(Announce, GravlokAndSuperFigures) {
    Game g;
    g.core.arrQueue[2] = {"1000000000000001", 41234, true};
    g.host.sounds.clear();
    g.core.AnnounceNext();  // score still "---": no sound
    EXPECT_TRUE(g.host.sounds.empty());
    EXPECT_EQ(g.core.ColorFigura, 255u);
    EXPECT_EQ(g.host.Caption(Label::Firma), "Gravlok-фигурка Bonus 4123");
    EXPECT_EQ(g.host.ForeColor(Label::Firma), 0xFFFF00u);
    EXPECT_EQ(g.host.statistic.back(), "...Gravlok");

    g.host.SetCaption(Label::Score, "0");
    g.core.arrQueue[2] = {kSuperGravlok, 250000, true};
    g.core.AnnounceNext();
    ASSERT_EQ(g.host.sounds.size(), 1u);
    EXPECT_EQ(g.host.sounds[0], Sound::Gravlok1);
    EXPECT_EQ(g.core.ColorFigura, 0xFF0000u);
    EXPECT_EQ(g.host.Caption(Label::Firma), "This Is Gravlok Bonus 25000");
    EXPECT_EQ(g.host.statistic.back(), "...SUPER GRAVLOK !!!");

    g.core.arrQueue[2] = {kSquare, 0, false};
    g.core.AnnounceNext();
    EXPECT_EQ(g.core.ColorFigura, 0xFFFF00u);
}

TEST(GameOver, OneEndOfGameEvenWhenTicksComeDuringTheQuestions) {
    Game g;
    // A shaft at columns 4 and 5; no row becomes full, the top is blocked.
    for (int r = 0; r <= 28; ++r) g.FillRow(r, {4, 5});
    for (int r = 29; r <= 30; ++r) g.FillRow(r, {4, 5, 6});
    g.SetFigure(kSquare, 3, 0);  // columns 4-5
    int nested = 0;
    g.host.onEndOfGame = [&](int32_t) {
        for (int t = 0; t < 500; ++t) g.core.tmrDown_Timer();
        ++nested;
    };
    g.core.bDropping = true;
    ASSERT_GT(g.TickUntilLanding(100), 0);
    EXPECT_EQ(g.host.gameOvers.size(), 1u);
    EXPECT_EQ(nested, 1);
    EXPECT_FALSE(g.core.EndingGame());
    // The new figure overlapping the settled cells is what ended it.
    EXPECT_TRUE(g.core.GameOver());
}

TEST(Counters, LongGamesDoNotWrap) {
    Game g;
    g.core.iFigureNo = 32767;
    g.core.lngScore = 2147483000;
    g.SetFigure(kSquare, 9, 28);
    g.core.bDropping = true;
    ASSERT_EQ(g.TickUntilLanding(1), 1);
    EXPECT_EQ(g.core.iFigureNo, 32767);
    EXPECT_GT(g.core.lngScore, 2147483000);
}

TEST(PanSweep, TurnsOneTickBeyondEachEnd) {
    Game g;
    g.core.EnableLoop = true;
    g.core.SpeedChange = 500;
    g.core.ForLoop = -5000;
    g.core.iPanStep = 1;
    g.core.iTick = -30000;  // no fall during the sweep
    for (int t = 0; t < 50; ++t) g.core.tmrDown_Timer();
    ASSERT_EQ(g.host.pans.size(), 50u);
    EXPECT_EQ(g.host.pans[0], -5000);
    EXPECT_EQ(g.host.pans[1], -4500);
    EXPECT_EQ(g.host.pans[20], 5000);
    EXPECT_EQ(g.host.pans[21], 5500);
    EXPECT_EQ(g.host.pans[22], 5000);
    EXPECT_EQ(g.host.pans[43], -5500);
    EXPECT_EQ(g.host.pans[44], -5000);

    Game off;
    off.core.EnableLoop = false;
    off.core.SpeedChange = 500;
    off.core.ForLoop = 0;
    off.core.tmrDown_Timer();
    EXPECT_TRUE(off.host.pans.empty());
    EXPECT_EQ(off.core.ForLoop, 0);
}
