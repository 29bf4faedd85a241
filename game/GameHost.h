#pragma once
// What the game rules need from the window around them: its labels, timers,
// the drop button, the sound channels, the statistic list, the ranking and
// the end of a game. The main window implements it; tests use a fake.
#include <cstdint>
#include <string>

#include "platform/drawing/Palette.h"

// clang-format off
enum class Label {
    Score, Level, Remain, CountLines1, CountLines2, CountLines3, CountLines4,
    Firma, SumBonus, TimeBonus, TotalScore, Position, NextPlace,
};
// clang-format on

inline Label CountLinesLabel(int member) {  // member 1 to 4
    return static_cast<Label>(static_cast<int>(Label::CountLines1) + member - 1);
}

enum class Timer { Down, Level, MigCountLines, Demo, MigMenuControls };

// The ten sound effect channels, in declaration order.
enum class Sound { Down1, Left1, Right1, Rotate1, Drop1, DelLin1, Gravlok1, Drop2, Down2, Inverse1 };

class GameHost {
public:
    virtual ~GameHost() = default;

    virtual void SetCaption(Label l, const std::string& text) = 0;
    virtual std::string Caption(Label l) const = 0;
    virtual void SetForeColor(Label l, Rgb c) = 0;
    virtual Rgb ForeColor(Label l) const = 0;
    virtual void SetLabelVisible(Label l, bool visible) = 0;

    virtual void EnableTimer(Timer t, bool enabled) = 0;
    virtual bool TimerEnabled(Timer t) const = 0;

    virtual void SetDownBackColor(Rgb c) = 0;
    virtual void EnableDown(bool enabled) = 0;

    virtual void Play(Sound s) = 0;

    virtual void AddStatistic(const std::string& line) = 0;
    virtual void SelectLastStatistic() = 0;

    virtual void BkgMusicSetPan(int16_t pan) = 0;
    virtual void UpdateRanking(int32_t score) = 0;
    virtual void EndOfGame(int32_t score) = 0;
};
