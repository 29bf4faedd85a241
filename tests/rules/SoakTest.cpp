// A long run of random play through the fall tick: moves, turns, drops and
// inversions (near the floor too), with the well checked after every tick.
#include <gtest/gtest.h>

#include "FakeHost.h"
#include "WellCheck.h"

TEST(Soak, RandomPlayKeepsEverythingInsideTheWell) {
    Game g;
    g.host.drawing = false;  // drawing has its own tests; this is about the rules
    DefaultRandom moves(7);
    int games = 0, landings = 0;
    int32_t lastScore = 0;
    g.host.onEndOfGame = [&](int32_t) { ++games; };
    for (long t = 0; t < 300000; ++t) {
        const float r = moves.Rnd();
        GameCore& c = g.core;
        if (r < 0.05f) {
            const int16_t idx = moves.Rnd() < 0.5f ? 0 : 2;
            if (c.Enable_Move_Left_Right(idx)) c.iFigX = static_cast<uint8_t>(c.iFigX + idx - 1);
        } else if (r < 0.07f) {
            c.RotateFigure();
        } else if (r < 0.09f) {
            if (c.CanInvert()) c.InvertFigure();
        } else if (r < 0.095f) {
            c.bDropping = true;
        }
        const int16_t before = c.iFigureNo;
        c.tmrDown_Timer();
        if (c.iFigureNo != before) {
            ++landings;
            ASSERT_GE(c.lngScore, lastScore);
            lastScore = c.lngScore;
        }
        CheckWell(c);
        if (HasFatalFailure()) return;
        if (c.GameOver()) {
            g.NewGame();
            lastScore = 0;
        }
    }
    EXPECT_GT(landings, 1000);
    EXPECT_GT(games, 5);
}
