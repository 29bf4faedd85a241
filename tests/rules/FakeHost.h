#pragma once
// A window for the rules under test: labels, timers and the drop button as
// plain values, and a record of everything the rules asked for.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Scripted.h"
#include "game/GameCore.h"

class FakeHost : public GameHost, public PictureHost {
public:
    struct LabelState {
        std::string caption;
        Rgb fore = 0;
        bool visible = true;
    };

    FakeHost();

    void SetCaption(Label l, const std::string& text) override { labels[l].caption = text; }
    std::string Caption(Label l) const override { return labels.at(l).caption; }
    void SetForeColor(Label l, Rgb c) override { labels[l].fore = c; }
    Rgb ForeColor(Label l) const override { return labels.at(l).fore; }
    void SetLabelVisible(Label l, bool v) override { labels[l].visible = v; }
    void EnableTimer(Timer t, bool on) override { timers[t] = on; }
    bool TimerEnabled(Timer t) const override { return timers.count(t) && timers.at(t); }
    void SetDownBackColor(Rgb c) override { downBack = c; }
    void EnableDown(bool on) override { downEnabled = on; }
    void Play(Sound s) override { sounds.push_back(s); }
    void AddStatistic(const std::string& line) override { statistic.push_back(line); }
    void SelectLastStatistic() override { selected = static_cast<int>(statistic.size()) - 1; }
    void BkgMusicSetPan(int16_t pan) override { pans.push_back(pan); }
    void UpdateRanking(int32_t score) override { rankings.push_back(score); }
    void EndOfGame(int32_t score) override;

    Canvas* PictureCanvas(Picture p) override;
    void PictureChanged(Picture p) override { ++changes[p]; }

    std::map<Label, LabelState> labels;
    std::map<Timer, bool> timers;
    Rgb downBack = 0;
    bool downEnabled = true;
    std::vector<Sound> sounds;
    std::vector<std::string> statistic;
    int selected = -1;
    std::vector<int16_t> pans;
    std::vector<int32_t> rankings;
    std::vector<int32_t> gameOvers;
    std::function<void(int32_t)> onEndOfGame;
    Canvas well, next, future;
    bool drawing = true;
    std::map<Picture, int> changes;
};

// The rules with a fake window, a scripted random source and a fixed clock,
// in the state the start-up routine leaves a new game in (seconds 00, so
// each figure takes one warm-up draw).
struct Game {
    FakeHost host;
    ScriptedRandom rnd;
    FixedClock clock{"12:00:00"};
    GameCore core{host, host, rnd, clock};

    Game();
    // A new game: empty well, figures from the queue as scripted.
    void NewGame();
    // Places the falling figure.
    void SetFigure(const std::string& shape, int x, int y);
    // Fills row y of the playing area except the given columns.
    void FillRow(int y, std::initializer_list<int> gaps = {});
    // Ticks until the current figure has landed; returns the ticks taken.
    int TickUntilLanding(int limit = 100000);
};
