// Levels and speed, the level and line-count blinks, the time bonus display
// and the announcement of Gravlok figures.
#include <string>

#include "GameCore.h"
#include "platform/runtime/Arithmetic.h"

void GameCore::LevelStep() {
    arith::SaturatingIncrease(iLevelLines);
    const int left = 9 - iLevelLines;
    std::string digits;
    if (left == 0) {
        digits = "123456789";
    } else {
        for (int d = 1; d <= left; ++d) digits += static_cast<char>('0' + d);
    }
    host_.SetCaption(Label::Remain, digits);

    if (iSpeed < 150 && iLevelLines > 8) {
        iSpeed = static_cast<int16_t>(iSpeed + 15);
        arith::SaturatingIncrease(iLevel);
        iLevelLines = 0;
        host_.SetCaption(Label::Level, "Level # " + std::to_string(iLevel));
        host_.AddStatistic("..." + host_.Caption(Label::Level));
        host_.AddStatistic("...Score : " + std::to_string(Shown(lngScore)));
        host_.EnableTimer(Timer::Level, true);
    }
}

void GameCore::tmrLevel_Timer() {
    arith::SaturatingIncrease(iLevelBlinks);
    host_.SetForeColor(Label::Level, QBColor(arith::RoundToInt16(rnd_.Rnd() * 15.0f)));
    if (iLevelBlinks > 10) {
        host_.EnableTimer(Timer::Level, false);
        host_.SetForeColor(Label::Level, QBColor(iLevel + 1));
        iLevelBlinks = 0;
    }
}

void GameCore::tmrMigCountLines_Timer() {
    iBlinkIndex = iLastLines;
    arith::SaturatingIncrease(iBlinkTicks);
    // iLastLines is 1 to 4 once a landing has removed lines.
    const int member = iBlinkIndex < 1 ? 1 : (iBlinkIndex > 4 ? 4 : iBlinkIndex);
    const Label l = CountLinesLabel(member);
    host_.SetForeColor(l, host_.ForeColor(l) != 0 ? 0 : 0xFFFF);
    if (iBlinkTicks > 5) {
        host_.EnableTimer(Timer::MigCountLines, false);
        host_.SetForeColor(l, 0xFFFF);
        iBlinkTicks = 0;
    }
}

void GameCore::ShowTimeBonus(int16_t value) {
    host_.SetCaption(Label::TimeBonus, std::to_string(value));
    host_.SetCaption(Label::TotalScore, std::to_string(lngTimeBonusTotal));
}

void GameCore::AnnounceNext() {
    const FigureSlot& next = arrQueue[2];
    if (!next.bSpecial) {
        ColorFigura = 0xFFFF00;
        return;
    }
    if (host_.Caption(Label::Score) != "---") host_.Play(Sound::Gravlok1);
    host_.SetLabelVisible(Label::Firma, true);
    ColorFigura = 255;
    if (next.strShape != kSuperGravlok) {
        host_.SetForeColor(Label::Firma, 0xFFFF00);
        host_.SetCaption(Label::Firma, "Gravlok-фигурка Bonus " + std::to_string(Shown(next.lngBonus)));
        host_.AddStatistic("...Gravlok");
    } else {
        ColorFigura = 0xFF0000;
        host_.SetForeColor(Label::Firma, 0xFF0000);
        host_.SetCaption(Label::Firma, "This Is Gravlok Bonus 25000");
        host_.AddStatistic("...SUPER GRAVLOK !!!");
    }
}
