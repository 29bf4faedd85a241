// The fall tick: time bonus countdown, music pan sweep, the figure's step
// down, and the landing with line removal and scoring.
#include <string>

#include "GameCore.h"
#include "platform/runtime/Arithmetic.h"

void GameCore::tmrDown_Timer() {
    // The questions at the end of a game are asked from inside a landing;
    // ticks delivered meanwhile belong to the game that has ended.
    if (bEndingGame_) return;

    arith::SaturatingIncrease(iTick);
    if (!bDropping && iTimeTicks < 201) {
        ShowTimeBonus(static_cast<int16_t>(200 - iTimeTicks));
        arith::SaturatingIncrease(iTimeTicks);
    }
    if (EnableLoop) {
        host_.BkgMusicSetPan(ForLoop);
        if (ForLoop > 5000 || ForLoop < -5000) iPanStep = static_cast<int16_t>(-iPanStep);
        arith::SaturatingIncrease(ForLoop, static_cast<long long>(iPanStep) * SpeedChange);
    }
    if (iTick < 150 - iSpeed && !bDropping) return;

    DrawFigureArea();
    if (CanMoveDown()) {
        arith::SaturatingIncrease(iFigY);
        iTick = 0;
        return;
    }
    Land();
}

int GameCore::QuietTicksAhead() const {
    if (bEndingGame_ || bDropping || iTimeTicks < 201) return 0;
    // A pan that moves, or turns back at an end of the sweep, is heard.
    if (EnableLoop && (SpeedChange != 0 || ForLoop > 5000 || ForLoop < -5000)) return 0;
    // The tick that brings iTick to the step's count moves the figure.
    const int quiet = 150 - iSpeed - 1 - iTick;
    return quiet > 0 ? quiet : 0;
}

void GameCore::SkipQuietTicks(int n) {
    const int ahead = QuietTicksAhead();
    const int quiet = n < ahead ? n : ahead;
    if (quiet > 0) {
        iTick = static_cast<int16_t>(iTick + quiet);
        if (EnableLoop) host_.BkgMusicSetPan(ForLoop);  // the pan every one of them applied
    }
    // Ticks that turned out not to be quiet after all run as ticks.
    for (int i = quiet; i < n; ++i) tmrDown_Timer();
}

void GameCore::Land() {
    host_.SetDownBackColor(ColorButtons);
    host_.SetLabelVisible(Label::Firma, false);
    Update_Array_C();
    int16_t n = 0;
    RemoveFullLines(iSpeed, n);
    DrawWell();
    DrawGrid();
    host_.Play(rnd_.Rnd() > 0.5f ? Sound::Down1 : Sound::Down2);
    lngScoreBefore = lngScore;

    if (n > 0) {
        host_.Play(Sound::DelLin1);
        const int32_t points = 750 * n * n * n + 2000;
        lngScore = arith::SaturatingAdd(lngScore, points);
        iLastLines = n;
        for (int m = 1; m <= 4; ++m) host_.SetForeColor(CountLinesLabel(m), 0xFFFF);
        if (host_.TimerEnabled(Timer::MigCountLines)) iBlinkTicks = 0;
        else host_.EnableTimer(Timer::MigCountLines, true);
        // Only rows of the landing figure's box can become full, so n is at
        // most 4; the index stays inside the counts in any case.
        const int slot = n < 4 ? n : 4;
        arith::SaturatingIncrease(lngLineCounts[slot]);
        host_.SetCaption(CountLinesLabel(slot),
                         std::to_string(n) + "-Lines*" + std::to_string(lngLineCounts[slot]) + " = " +
                             std::to_string(static_cast<long long>(points / 10) * lngLineCounts[slot]));
    }

    lngScore = arith::SaturatingAdd(lngScore, 10LL * (201 - iTimeTicks) + 4LL * iCellCount);
    iTick = 0;
    bDropping = false;
    host_.UpdateRanking(Shown(lngScore));
    iFigX = 18 / 2;
    iFigY = 0;
    iCellCount = 0;

    lngGravlokBonus = arith::SaturatingAdd(lngGravlokBonus, arrQueue[1].lngBonus);
    if (lngGravlokBonus > 0)
        host_.SetCaption(Label::SumBonus, "  Gravlok Bonus : " + std::to_string(Shown(lngGravlokBonus)));
    lngScore = arith::SaturatingAdd(lngScore, arrQueue[1].lngBonus);

    ShiftQueue();
    Initialize_Array_For_Zunbel(arrC, arrQueue[1].strShape);
    DrawFigureArea();
    AnnounceNext();
    Initialize_Array_For_Zunbel(arrNext, arrQueue[2].strShape);
    DrawNext();

    lngTimeBonusTotal = arith::SaturatingAdd(lngTimeBonusTotal, 201 - iTimeTicks);
    ShowTimeBonus(static_cast<int16_t>(201 - iTimeTicks));
    iTimeTicks = 0;
    host_.SetCaption(Label::Score, std::to_string(Shown(lngScore)));
    arith::SaturatingIncrease(iFigureNo);

    std::string line = std::to_string(iFigureNo) + ". +" + std::to_string(Shown(lngScore - lngScoreBefore));
    if (n > 0) line += " -> " + std::to_string(n) + " lines";
    host_.AddStatistic(line);
    host_.SelectLastStatistic();
    DrawFuture();

    if (GameOver()) {
        bEndingGame_ = true;
        host_.EndOfGame(Shown(lngScore));
        bEndingGame_ = false;
    }
}

void GameCore::Update_Array_C() {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (arrC(i, j) && arrWell.Inside(iFigX + i, iFigY + j)) arrWell.Set(iFigX + i, iFigY + j, true);
    host_.EnableDown(true);
}

void GameCore::RemoveFullLines(int16_t& speed, int16_t& lines) {
    (void)speed;  // the level step works on iSpeed itself
    int y = iWellMaxY;
    while (y >= 0) {
        int count = 0;
        for (int x = 0; x <= iWellMaxX; ++x)
            if (arrWell(x, y)) ++count;
        if (count != 15) {
            --y;
            continue;
        }
        arith::SaturatingIncrease(lines);
        for (int r = y; r >= 1; --r)
            for (int x = 0; x <= iWellMaxX; ++x) arrWell.Set(x, r, arrWell(x, r - 1));
        for (int x = 0; x <= iWellMaxX; ++x) arrWell.Set(x, 0, false);
        LevelStep();
    }
}

bool GameCore::GameOver() const {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (arrC(i, j) && arrWell.Inside(iFigX + i, iFigY + j) && arrWell(iFigX + i, iFigY + j)) return true;
    return false;
}
