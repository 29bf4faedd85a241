// Fall ticks that change nothing shown or heard, taken in bulk: the game
// after every tick count is the one ticking one by one gives.
#include <gtest/gtest.h>

#include "FakeHost.h"

namespace {
// What a player could see or hear of a game after a tick.
std::string Seen(const Game& g) {
    const GameCore& c = g.core;
    std::string s = std::to_string(c.iTick) + " " + std::to_string(c.iFigX) + "," + std::to_string(c.iFigY) + " " +
                    std::to_string(c.lngScore) + " " + std::to_string(c.iFigureNo) + " " +
                    std::to_string(g.host.statistic.size()) + " " + std::to_string(g.host.sounds.size());
    for (Label l : {Label::TimeBonus, Label::TotalScore, Label::Score}) s += " " + g.host.Caption(l);
    s += " pan " + (g.host.pans.empty() ? std::string("-") : std::to_string(g.host.pans.back()));
    for (int y = 0; y < 34; ++y)
        for (int x = 0; x < 22; ++x) s += c.arrWell(x, y) ? '#' : '.';
    return s;
}
}  // namespace

// Quiet ticks skipped in bulk, now and then one more than were quiet (as
// when a doze outlasts what was planned), leave the game after every tick
// count exactly as ticking one by one does: the same steps, landings,
// countdowns, texts, sounds and the same last pan.
TEST(QuietTicks, SkippingThemLeavesEveryTickAsTickingDoes) {
    Game one, bulk;
    for (Game* g : {&one, &bulk}) {
        g->core.iSpeed = 135;  // a step every 15 ticks: quick landings, quiet spans between steps
        g->core.EnableLoop = true;
        g->core.ForLoop = 1200;
    }
    std::vector<std::string> seen{Seen(one)};
    for (int t = 0; t < 4000; ++t) {
        one.core.tmrDown_Timer();
        seen.push_back(Seen(one));
    }
    int ticks = 0, skipped = 0, spans = 0;
    unsigned pick = 7;
    while (ticks < 3900) {
        const int quiet = bulk.core.QuietTicksAhead();
        int n = 1;
        if (quiet > 0) {
            pick = pick * 1103515245u + 12345u;
            n = 1 + static_cast<int>(pick >> 16) % (quiet + 1);  // 1 to quiet + 1
            bulk.core.SkipQuietTicks(n);
            skipped += n;
            ++spans;
        } else {
            bulk.core.tmrDown_Timer();
        }
        ticks += n;
        ASSERT_EQ(Seen(bulk), seen[ticks]) << "after " << ticks << " ticks";
    }
    EXPECT_GT(one.core.iFigureNo, 5);  // landings, countdowns and steps were all gone through
    EXPECT_GT(spans, 100);
    EXPECT_GT(skipped, 500);
}

TEST(QuietTicks, NoneWhileAnythingShowsOrSounds) {
    Game g;
    g.core.iTimeTicks = 201;
    g.core.iTick = 10;
    EXPECT_EQ(g.core.QuietTicksAhead(), 150 - 1 - 10);  // the 140th tick from now steps
    g.core.iTimeTicks = 200;                            // the time bonus counts down
    EXPECT_EQ(g.core.QuietTicksAhead(), 0);
    g.core.iTimeTicks = 201;
    g.core.bDropping = true;  // the figure drops
    EXPECT_EQ(g.core.QuietTicksAhead(), 0);
    g.core.bDropping = false;
    g.core.EnableLoop = true;
    g.core.SpeedChange = 20;  // the music's pan sweeps
    EXPECT_EQ(g.core.QuietTicksAhead(), 0);
    g.core.SpeedChange = 0;
    g.core.ForLoop = 5001;  // beyond an end: the sweep turns each tick
    EXPECT_EQ(g.core.QuietTicksAhead(), 0);
    g.core.ForLoop = 0;
    EXPECT_EQ(g.core.QuietTicksAhead(), 139);
    g.core.iTick = 149;  // the next tick steps
    EXPECT_EQ(g.core.QuietTicksAhead(), 0);
}
