// Figure generation: draw counts, Gravlok patterns and bonuses, the grids,
// the queue, and the frequencies of the figures.
#include <gtest/gtest.h>

#include <map>

#include "FakeHost.h"

namespace {
const char* const kOrdinary[7] = {
    "0000111010000000", "0000011100010000", "0000111100000000", "0000010001100010",
    "0000001001100100", "0000001001110000", "0000011001100000",
};

struct Generator {
    FakeHost host;
    ScriptedRandom rnd;
    FixedClock clock{"10:20:07"};  // seconds 7: 15 warm-up draws per figure
    GameCore core{host, host, rnd, clock};
    Generator() {
        core.arrWell.ReDim(22, 34);
        core.iWellMaxX = 22;
        core.iWellMaxY = 34;
    }
};
}  // namespace

TEST(NextFigure, OrdinaryFigureTakesWarmUpPlusTwoDraws) {
    for (int k = 0; k < 7; ++k) {
        Generator g;
        g.rnd.PushN(15, 0.99f);         // warm-up, discarded
        g.rnd.Push((k + 0.5f) / 7.0f);  // figure k
        g.rnd.Push(0.3f);               // Int(0.3 * 50) = 15: not a Gravlok figure
        EXPECT_EQ(g.core.NextFigure(), kOrdinary[k]);
        EXPECT_EQ(g.rnd.draws, 17);
        EXPECT_EQ(g.rnd.Queued(), 0u);
        EXPECT_FALSE(g.core.bNewSpecial);
        EXPECT_EQ(g.core.lngNewBonus, 0);
    }
}

TEST(NextFigure, GravlokFigureDrawsItsPatternAndBonus) {
    Generator g;
    g.rnd.PushN(15, 0.1f);
    g.rnd.Push(0.0f);       // figure 0, drawn and then discarded
    g.rnd.Push(0.5f);       // Int(25.0) = 25: a Gravlok figure
    g.rnd.PushN(8, 0.99f);  // the pattern's own warm-up: seconds + 1
    // Pattern in string order: 0.8 is not greater than 0.8, so that cell fills.
    const float cells[16] = {0.9f, 0.1f, 0.1f, 0.1f, 0.8f, 0.1f, 0.1f, 0.1f,
                             0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.95f};
    for (float v : cells) g.rnd.Push(v);
    g.rnd.Push(0.5f);  // bonus: 0.5 * 20001 + 30000 = 40000.5 -> 40000 (half to even)
    EXPECT_EQ(g.core.NextFigure(), "1000100000000001");
    EXPECT_TRUE(g.core.bNewSpecial);
    EXPECT_EQ(g.core.lngNewBonus, 40000);
    EXPECT_EQ(g.rnd.draws, 15 + 2 + 8 + 16 + 1);
}

TEST(NextFigure, EmptyPatternBecomesTheSuperFigure) {
    Generator g;
    g.rnd.PushN(15, 0.1f);
    g.rnd.Push({0.2f, 0.51f});  // Int(25.5) = 25
    g.rnd.PushN(8, 0.5f);
    g.rnd.PushN(16, 0.79f);  // 0.8 > 0.79 everywhere: no cell filled
    EXPECT_EQ(g.core.NextFigure(), kSuperGravlok);
    EXPECT_EQ(g.core.lngNewBonus, 250000);
    EXPECT_EQ(g.rnd.draws, 15 + 2 + 8 + 16);  // no bonus draw for the super figure
}

TEST(NextFigure, RandomPatternThatIsTheSuperFigureGetsItsBonus) {
    Generator g;
    g.rnd.PushN(15, 0.1f);
    g.rnd.Push({0.2f, 0.5f});
    g.rnd.PushN(8, 0.5f);
    for (char c : std::string(kSuperGravlok)) g.rnd.Push(c == '1' ? 0.9f : 0.1f);
    EXPECT_EQ(g.core.NextFigure(), kSuperGravlok);
    EXPECT_EQ(g.core.lngNewBonus, 250000);
}

TEST(NextFigure, BonusRunsFrom30000To50001Tenths) {
    for (auto [v, bonus] : {std::pair{0.0f, 30000}, std::pair{0.99999994f, 50001}, std::pair{0.25f, 35000}}) {
        Generator g;
        g.rnd.PushN(15, 0.1f);
        g.rnd.Push({0.2f, 0.5f});
        g.rnd.PushN(8, 0.5f);
        g.rnd.PushN(15, 0.1f);
        g.rnd.Push(0.9f);  // one cell
        g.rnd.Push(v);
        g.core.NextFigure();
        EXPECT_EQ(g.core.lngNewBonus, bonus) << v;
    }
}

TEST(Zunbel, ReadsColumnsTopToBottomAndCountsCells) {
    Generator g;
    g.core.iCellCount = 3;
    FigureGrid a;
    a.Set(3, 3, true);  // every cell is overwritten
    g.core.Initialize_Array_For_Zunbel(a, "0000111010000000");
    FigureGrid want;
    want.Set(1, 0, true);
    want.Set(1, 1, true);
    want.Set(1, 2, true);
    want.Set(2, 0, true);
    EXPECT_EQ(a, want);
    EXPECT_EQ(g.core.iCellCount, 7);
    g.core.Initialize_Array_For_Zunbel(a, kSuperGravlok);
    EXPECT_EQ(g.core.iCellCount, 19);
}

TEST(ShiftQueue, MovesSlotsForwardAndGeneratesSlotFive) {
    Generator g;
    for (int s = 1; s <= 5; ++s) g.core.arrQueue[s] = {kOrdinary[s], s * 10, s == 3};
    g.rnd.PushN(15, 0.1f);
    g.rnd.Push({0.0f, 0.0f});
    g.core.ShiftQueue();
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(g.core.arrQueue[s].strShape, kOrdinary[s + 1]);
        EXPECT_EQ(g.core.arrQueue[s].lngBonus, (s + 1) * 10);
        EXPECT_EQ(g.core.arrQueue[s].bSpecial, s + 1 == 3);
    }
    EXPECT_EQ(g.core.arrQueue[5].strShape, kOrdinary[0]);
    EXPECT_EQ(g.core.arrQueue[5].lngBonus, 0);
    EXPECT_FALSE(g.core.arrQueue[5].bSpecial);
    EXPECT_EQ(g.rnd.draws, 17);
}

TEST(NextFigure, FrequenciesOverALongRun) {
    FakeHost host;
    DefaultRandom rnd(20261207);
    FixedClock clock("00:00:00");
    GameCore core(host, host, rnd, clock);
    const int n = 200000;
    std::map<std::string, int> count;
    int gravlok = 0, super = 0;
    for (int i = 0; i < n; ++i) {
        const std::string f = core.NextFigure();
        if (core.bNewSpecial) {
            ++gravlok;
            if (f == kSuperGravlok) ++super;
            EXPECT_GE(core.lngNewBonus, 30000);
            EXPECT_LE(core.lngNewBonus, f == kSuperGravlok ? 250000 : 50001);
        } else {
            ++count[f];
        }
    }
    ASSERT_EQ(count.size(), 7u);
    for (const char* f : kOrdinary) EXPECT_NEAR(count[f] / double(n), 49.0 / 50 / 7, 0.004) << f;
    EXPECT_NEAR(gravlok / double(n), 1.0 / 50, 0.0015);
    // An empty pattern has probability 0.8^16 (about 2.8 %) among Gravlok figures.
    EXPECT_NEAR(super / double(gravlok), 0.0281, 0.012);
}
