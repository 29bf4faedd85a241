#include "FakeHost.h"

FakeHost::FakeHost() {
    for (Label l : {Label::Score, Label::Level, Label::Remain, Label::CountLines1, Label::CountLines2,
                    Label::CountLines3, Label::CountLines4, Label::Firma, Label::SumBonus, Label::TimeBonus,
                    Label::TotalScore, Label::Position, Label::NextPlace})
        labels[l] = {};
    well.Resize(233 - 4, 433 - 4);
    well.SetScale(3760, 7760);
    next.Resize(77 - 4, 77 - 4);
    next.SetScale(73 * 15, 73 * 15);
    future.Resize(101, 256);
    future.SetScale(101 * 15, 256 * 15);
}

void FakeHost::EndOfGame(int32_t score) {
    gameOvers.push_back(score);
    if (onEndOfGame) onEndOfGame(score);
}

Canvas* FakeHost::PictureCanvas(Picture p) {
    if (!drawing) return nullptr;
    switch (p) {
    case Picture::Gravlok: return &well;
    case Picture::Next: return &next;
    case Picture::Future: return &future;
    }
    return nullptr;
}

Game::Game() { NewGame(); }

void Game::NewGame() {
    GameCore& g = core;
    g.arrWell.ReDim(22, 34);
    g.iWellMaxX = 22;
    g.iWellMaxY = 34;
    g.iFigX = 9;
    g.iFigY = 0;
    g.bRunning = true;
    g.lngScore = 0;
    g.iSpeed = 0;
    g.iLevel = 0;
    g.iLevelLines = 0;
    g.iFigureNo = 0;
    g.iCellCount = 0;
    g.iTick = 0;
    g.iTimeTicks = 0;
    g.iPlace = 5;
    g.lngLineCounts.fill(0);
    for (int s = 1; s <= 5; ++s) {
        g.arrQueue[s].strShape = g.NextFigure();
        g.arrQueue[s].lngBonus = g.lngNewBonus;
        g.arrQueue[s].bSpecial = g.bNewSpecial;
    }
    g.Initialize_Array_For_Zunbel(g.arrC, g.arrQueue[1].strShape);
    g.Initialize_Array_For_Zunbel(g.arrNext, g.arrQueue[2].strShape);
    host.SetCaption(Label::Score, "---");
}

void Game::SetFigure(const std::string& shape, int x, int y) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) core.arrC.Set(i, j, shape[static_cast<size_t>(4 * i + j)] == '1');
    core.iFigX = static_cast<uint8_t>(x);
    core.iFigY = static_cast<uint8_t>(y);
}

void Game::FillRow(int y, std::initializer_list<int> gaps) {
    for (int x = 4; x <= 18; ++x) {
        bool gap = false;
        for (int g : gaps) gap |= g == x;
        core.arrWell.Set(x, y, !gap);
    }
}

int Game::TickUntilLanding(int limit) {
    // Every landing ends with its statistic line.
    const size_t before = host.statistic.size();
    for (int t = 1; t <= limit; ++t) {
        core.tmrDown_Timer();
        if (host.statistic.size() != before) return t;
    }
    return -1;
}
