// The demo player: its presses and their weights, its intervals, how it runs
// through a pause, and a game that ends while it plays.
#include <gtest/gtest.h>

#include <QTest>
#include <array>

#include "Answers.h"
#include "Game.h"
#include "mainwindow/Colors.h"
#include "records/frmEnterName.h"
#include "records/frmGameOver.h"

namespace {
constexpr Rgb kGreen = RGB(0, 255, 0);
constexpr Rgb kYellow = RGB(255, 255, 0);
constexpr Rgb kRest = RGB(0, 0, 128);  // neither of the pressed colours

enum Press { Left, Right, Rotate, Drop, Invert };

// What one demo step pressed, as the buttons and the draws show it: a move
// button keeps its pressed colour until the next step; a drop paints none of
// them and draws one number more (its sound variant).
Press Step(Game& g) {
    const long before = g.rnd.draws;
    g.w->tmrDemo_Timer();
    const long draws = g.rnd.draws - before;
    frmMain& w = *g.w;
    Press p = Drop;
    if (BackColorOf(w.cmdLeftRight[0]) == kGreen) p = Left;
    else if (BackColorOf(w.cmdLeftRight[2]) == kGreen) p = Right;
    else if (BackColorOf(w.cmdRotate[0]) == kYellow) p = Rotate;
    else if (BackColorOf(w.cmdSpace) == kYellow) p = Invert;
    EXPECT_EQ(draws, p == Drop ? 3 : 2);
    return p;
}

struct PausedGame : Game {
    PausedGame() {
        w->chkPause->setChecked(true);  // nothing falls or lands
        w->ColorButtons = kRest;
    }
};
}  // namespace

TEST(Demo, EachDrawPicksItsButtonAndInterval) {
    PausedGame g;
    struct Case {
        float r1, r2;
        Press press;
        int interval;
    };
    // n is r2 x 23 to the nearest integer; the interval r1 x 750 + 5.
    const Case cases[] = {
        {0.0f, 0.49f / 23, Invert, 5},    {0.5f, 0.51f / 23, Left, 380},   {0.9999f, 7.49f / 23, Left, 755},
        {0.1f, 7.51f / 23, Right, 80},    {0.2f, 15.49f / 23, Right, 155}, {0.3f, 15.51f / 23, Rotate, 230},
        {0.4f, 19.49f / 23, Rotate, 305}, {0.6f, 19.51f / 23, Drop, 455},  {0.7f, 21.49f / 23, Drop, 530},
        {0.8f, 21.51f / 23, Invert, 605}, {0.9f, 22.9f / 23, Invert, 680}, {0.00066f, 0.0f, Invert, 5},
    };
    for (const Case& c : cases) {
        g.rnd.Push({c.r1, c.r2});
        if (c.press == Drop) g.rnd.Push(0.9f);
        EXPECT_EQ(Step(g), c.press) << c.r2 * 23;
        EXPECT_EQ(g.w->tmrDemo->Interval(), c.interval) << c.r1;
    }
}

TEST(Demo, OverManyStepsThePressesFollowTheWeightsAndTheIntervalsStayInRange) {
    PausedGame g;
    constexpr int kSteps = 23000;
    std::array<int, 5> count{};
    int lo = 1000, hi = 0;
    double sum = 0;
    for (int i = 0; i < kSteps; ++i) {
        ++count[Step(g)];
        const int t = g.w->tmrDemo->Interval();
        lo = std::min(lo, t);
        hi = std::max(hi, t);
        sum += t;
    }
    // 7 : 8 : 4 : 2 : 2 of 23; one twenty-third off would be 0.043.
    const double expected[5] = {7 / 23.0, 8 / 23.0, 4 / 23.0, 2 / 23.0, 2 / 23.0};
    for (int p = 0; p < 5; ++p) EXPECT_NEAR(count[p] / double(kSteps), expected[p], 0.01) << p;
    EXPECT_GE(lo, 5);
    EXPECT_LE(lo, 8);
    EXPECT_LE(hi, 755);
    EXPECT_GE(hi, 752);
    EXPECT_NEAR(sum / kSteps, 380, 10);
}

TEST(Demo, DuringAPauseItMovesArmsADropAndCannotInvertAndThePlayerPlaysAlong) {
    PausedGame g;
    frmMain& w = *g.w;
    w.show();
    const uint8_t x = w.iFigX, y = w.iFigY;
    g.rnd.Push({0.1f, 4.0f / 23});  // left
    EXPECT_EQ(Step(g), Left);
    EXPECT_EQ(w.iFigX, x - 1);
    const FigureGrid before = w.arrC;
    g.rnd.Push({0.1f, 22.0f / 23});  // invert: refused while paused
    EXPECT_EQ(Step(g), Invert);
    EXPECT_EQ(w.arrC, before);
    g.rnd.Push({0.1f, 20.0f / 23, 0.9f});  // drop: armed, the button goes dark and disabled
    EXPECT_EQ(Step(g), Drop);
    EXPECT_TRUE(w.bDropping);
    EXPECT_FALSE(w.cmdDown->isEnabled());
    g.rnd.Push({0.1f, 21.0f / 23, 0.1f});  // drop again, on the disabled button
    EXPECT_EQ(Step(g), Drop);
    EXPECT_FALSE(w.cmdDown->isEnabled());
    EXPECT_EQ(w.iFigY, y);  // nothing fell
    // The player's keys act on the same figure once play resumes.
    w.chkPause->setChecked(false);
    w.tmrDown->SetEnabled(false);
    QTest::keyClick(w.windowHandle(), Qt::Key_Right);
    EXPECT_EQ(w.iFigX, x);
    // The armed drop falls a row each tick and lands well before a normal fall would.
    const int16_t figures = w.iFigureNo;
    int ticks = 0;
    while (w.iFigureNo == figures && ticks < 100) {
        w.tmrDown_Timer();
        ++ticks;
    }
    EXPECT_LT(ticks, 100);
    EXPECT_TRUE(w.cmdDown->isEnabled());
}

TEST(Demo, AGameEndingInTheDemoStopsItForTheEndAndTheNextGameStartsWithoutIt) {
    Game g;
    Answers a;
    std::vector<std::pair<bool, bool>> during;  // (demo timer on, demo button down)
    auto note = [&] { during.push_back({g.w->tmrDemo->Enabled(), g.w->chkDemo->isChecked()}); };
    a.Expect("frmEnterName", [&](QDialog* d) {
        note();
        QTest::keyClick(static_cast<frmEnterName*>(d)->txtName, Qt::Key_Return);
    });
    a.Expect("frmGameOver", [&](QDialog* d) {
        note();
        static_cast<frmGameOver*>(d)->cmdYes->click();
    });
    QTest::mouseClick(g.w->chkDemo, Qt::LeftButton);
    ASSERT_TRUE(g.w->tmrDemo->Enabled());
    g.w->lngScore = 900;
    g.LandAndEnd();
    ASSERT_TRUE(a.AllAnswered());
    EXPECT_EQ(during, (std::vector<std::pair<bool, bool>>{{false, true}, {false, true}}));
    EXPECT_FALSE(g.w->chkDemo->isChecked());
    EXPECT_FALSE(g.w->tmrDemo->Enabled());
    EXPECT_EQ(g.w->lngScore, 0);
    EXPECT_TRUE(g.Table().startsWith("UnNamed\r\n ")) << g.Table().toStdString();  // the result was kept
}
