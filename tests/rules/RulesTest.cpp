// Moves, turns and inversions against the walls, the floor and settled cells.
#include <gtest/gtest.h>

#include "FakeHost.h"

namespace {
const std::string kBar4 = "0000111100000000";    // column 1, rows 0 to 3
const std::string kSquare = "0000011001100000";  // (1,1) (2,1) (1,2) (2,2)
const std::string kL = "0000111010000000";       // (1,0) (1,1) (1,2) (2,0)

FigureGrid Grid(const std::string& s) {
    FigureGrid g;
    for (int k = 0; k < 16; ++k) g.Set(k / 4, k % 4, s[static_cast<size_t>(k)] == '1');
    return g;
}
}  // namespace

TEST(SideMoves, StopAtColumnsFourAndEighteen) {
    Game g;
    g.SetFigure(kBar4, 3, 5);  // the bar's cells in column 4
    EXPECT_FALSE(g.core.Enable_Move_Left_Right(0));
    EXPECT_TRUE(g.core.Enable_Move_Left_Right(2));
    g.SetFigure(kBar4, 4, 5);  // column 5
    EXPECT_TRUE(g.core.Enable_Move_Left_Right(0));
    g.SetFigure(kBar4, 17, 5);  // column 18
    EXPECT_FALSE(g.core.Enable_Move_Left_Right(2));
    EXPECT_TRUE(g.core.Enable_Move_Left_Right(0));
    // The test only answers; the figure stays.
    EXPECT_EQ(g.core.iFigX, 17);
}

TEST(SideMoves, SettledCellsBlock) {
    Game g;
    g.SetFigure(kBar4, 9, 5);  // column 10, rows 5 to 8
    g.core.arrWell.Set(11, 8, true);
    EXPECT_FALSE(g.core.Enable_Move_Left_Right(2));
    EXPECT_TRUE(g.core.Enable_Move_Left_Right(0));
    g.core.arrWell.Set(9, 5, true);
    EXPECT_FALSE(g.core.Enable_Move_Left_Right(0));
}

TEST(MoveDown, FloorIsRowThirty) {
    Game g;
    g.SetFigure(kBar4, 9, 26);  // rows 26 to 29
    EXPECT_TRUE(g.core.CanMoveDown());
    g.SetFigure(kBar4, 9, 27);  // rows 27 to 30: on the floor, the margin below is empty
    EXPECT_FALSE(g.core.CanMoveDown());
    g.SetFigure(kBar4, 9, 20);
    g.core.arrWell.Set(10, 24, true);
    EXPECT_FALSE(g.core.CanMoveDown());
}

TEST(Turn, QuarterTurnClockwiseAboutTheBoxCentre) {
    Game g;
    g.SetFigure(kSquare, 9, 5);
    g.core.RotateFigure();
    EXPECT_EQ(g.core.arrC, Grid(kSquare));

    g.SetFigure(kBar4, 9, 5);
    g.core.RotateFigure();
    EXPECT_EQ(g.core.arrC, Grid("0100010001000100"));  // horizontal bar in row 1
    for (int t = 0; t < 3; ++t) g.core.RotateFigure();
    EXPECT_EQ(g.core.arrC, Grid(kBar4));

    g.SetFigure(kL, 9, 5);
    g.core.RotateFigure();
    // (i, j) goes to (3 - j, i): (1,0)->(3,1) (1,1)->(2,1) (1,2)->(1,1) (2,0)->(3,2)
    EXPECT_EQ(g.core.arrC, Grid("0000010001000110"));
}

TEST(Turn, RefusedIntoSettledCellsMarginsAndBelowTheFloor) {
    Game g;
    g.SetFigure(kBar4, 9, 5);
    g.core.arrWell.Set(12, 6, true);  // where the turned bar's last cell would be
    g.core.RotateFigure();
    EXPECT_EQ(g.core.arrC, Grid(kBar4));

    Game side;
    side.SetFigure(kBar4, 16, 5);  // turned: columns 16 to 19, 19 is margin
    side.core.RotateFigure();
    EXPECT_EQ(side.core.arrC, Grid(kBar4));

    Game floor;
    floor.SetFigure("0100010001000100", 9, 29);  // horizontal in row 30
    floor.core.RotateFigure();                   // would reach rows 29 to 32
    EXPECT_EQ(floor.core.arrC, Grid("0100010001000100"));
}

TEST(Invert, OnlyWithTheBoxInsideThePlayingAreaAndNothingUnderIt) {
    Game g;
    g.SetFigure(kL, 3, 5);
    EXPECT_FALSE(g.core.CanInvert());
    g.SetFigure(kL, 16, 5);
    EXPECT_FALSE(g.core.CanInvert());
    g.SetFigure(kL, 4, 5);
    EXPECT_TRUE(g.core.CanInvert());
    g.SetFigure(kL, 15, 5);
    EXPECT_TRUE(g.core.CanInvert());
    g.core.arrWell.Set(15, 8, true);  // under the box, not under the figure
    EXPECT_FALSE(g.core.CanInvert());

    Game h;
    h.SetFigure(kL, 9, 5);
    h.host.sounds.clear();
    h.core.InvertFigure();
    FigureGrid want = Grid(kL);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) want.Set(i, j, !want(i, j));
    EXPECT_EQ(h.core.arrC, want);
    ASSERT_EQ(h.host.sounds.size(), 1u);
    EXPECT_EQ(h.host.sounds[0], Sound::Inverse1);
}

TEST(Invert, NearTheFloorCellsInTheMarginStillEndWithALanding) {
    Game g;
    // Filled top row inverted near the floor leaves cells only in rows 31 to 33.
    g.SetFigure("1000100010001000", 9, 30);
    ASSERT_TRUE(g.core.CanInvert());
    g.core.InvertFigure();
    EXPECT_TRUE(g.core.CanMoveDown());  // nothing on row 30 stops it
    g.core.bDropping = true;
    EXPECT_GT(g.TickUntilLanding(40), 0);
    // It came to rest on the last well row, inside the well.
    for (int c = 0; c <= 22; ++c)
        for (int r = 0; r <= 34; ++r)
            if (g.core.arrWell(c, r)) {
                EXPECT_GE(c, 4);
                EXPECT_LE(c, 18);
            }
    EXPECT_TRUE(g.core.arrWell(10, 34));
    // A box that would leave the well is not inverted.
    g.SetFigure("1000100010001000", 9, 32);
    EXPECT_FALSE(g.core.CanInvert());
}

TEST(MoveDown, FigureWithoutCellsLandsOnTheFloorRow) {
    Game g;
    g.SetFigure("0000000000000000", 9, 0);
    g.core.bDropping = true;
    EXPECT_EQ(g.TickUntilLanding(100), 31);  // rows 0 to 30, then the landing
}
