// What the drawing routines leave in the pictures.
#include <gtest/gtest.h>

#include "FakeHost.h"

namespace {
const std::string kBar4 = "0000111100000000";
const std::string kSquare = "0000011001100000";

Rgb CellCentre(const Canvas& c, int col, int row) { return c.PointAt((col - 4) * 250 + 125, row * 250 + 125); }
Rgb CellEdge(const Canvas& c, int col, int row) { return c.PointAt((col - 4) * 250 + 30, row * 250 + 125); }

bool IsShadowColour(Rgb c) { return RedOf(c) >= 100 && RedOf(c) <= 155 && GreenOf(c) >= 200 && BlueOf(c) >= 200; }
}  // namespace

TEST(Drawing, LandingLeavesSettledCellsYellowAndErasedCellsBlack) {
    Game g;
    g.core.DrawWell();
    g.SetFigure(kSquare, 9, 0);
    g.core.DrawFigureArea();
    EXPECT_EQ(CellEdge(g.host.well, 10, 1), 0xFFFF00u);  // outline of the falling figure
    EXPECT_EQ(CellCentre(g.host.well, 10, 1), 0u);       // outlines only
    g.core.iFigY = 1;
    g.core.DrawFigureArea();
    EXPECT_EQ(CellEdge(g.host.well, 10, 1), 0u);  // the row it left is erased
    EXPECT_EQ(CellEdge(g.host.well, 10, 3), 0xFFFF00u);

    g.core.bDropping = true;
    ASSERT_GT(g.TickUntilLanding(), 0);
    EXPECT_EQ(CellCentre(g.host.well, 10, 29), 0xFFFFu);
    EXPECT_EQ(CellCentre(g.host.well, 11, 30), 0xFFFFu);
    EXPECT_EQ(CellCentre(g.host.well, 12, 30), 0u);
    EXPECT_EQ(CellEdge(g.host.well, 10, 3), 0u);
}

TEST(Drawing, ShadowFollowsTheMode) {
    for (int mode : {0, 1, 2}) {
        for (bool gravlok : {false, true}) {
            Game g;
            g.core.iMirvax = static_cast<uint8_t>(mode);
            g.core.arrQueue[1].bSpecial = gravlok;
            g.core.DrawWell();
            g.SetFigure(kBar4, 9, 0);
            g.core.UpdateShadow();
            const bool want = mode == 2 || (mode == 1 && gravlok);
            // The bar would rest on rows 27 to 30 of column 10.
            for (int row = 27; row <= 30; ++row)
                EXPECT_EQ(IsShadowColour(CellEdge(g.host.well, 10, row)), want) << mode << gravlok << row;
            EXPECT_FALSE(IsShadowColour(CellEdge(g.host.well, 11, 30)));
            if (want) {
                EXPECT_EQ(g.core.iShadowX, 9);
                EXPECT_EQ(g.core.iShadowY, 27);
            }
        }
    }
}

TEST(Drawing, ShadowMovesWithTheFigureAndRestoresTheWell) {
    Game g;
    g.core.iMirvax = 2;
    g.core.arrWell.Set(13, 30, true);
    g.core.DrawWell();
    g.SetFigure(kBar4, 11, 0);  // column 12
    g.core.UpdateShadow();
    EXPECT_TRUE(IsShadowColour(CellEdge(g.host.well, 12, 30)));
    g.core.iFigX = 12;  // column 13: rests on the settled cell
    g.core.UpdateShadow();
    EXPECT_EQ(CellEdge(g.host.well, 12, 30), 0u);
    EXPECT_EQ(CellCentre(g.host.well, 13, 30), 0xFFFFu);
    EXPECT_TRUE(IsShadowColour(CellEdge(g.host.well, 13, 29)));
    EXPECT_EQ(g.core.iShadowY, 26);
}

TEST(Drawing, GridTurnsLightWhileFirst) {
    Game g;
    g.core.iPlace = 3;
    g.core.DrawGrid();
    EXPECT_EQ(g.host.well.PointAt(250, 1000), RGB(150, 175, 175));
    g.core.iPlace = 0;
    g.core.DrawGrid();
    EXPECT_EQ(g.host.well.PointAt(250, 1000), RGB(200, 200, 210));
}

TEST(Drawing, PreviewsDrawNextAndFutureFigures) {
    Game g;
    g.core.ColorFigura = 255;
    g.SetFigure(kSquare, 9, 0);
    g.core.arrNext = g.core.arrC;
    g.core.DrawNext();
    EXPECT_EQ(g.host.next.PointAt(250 + 150, 250 + 150), 255u);
    EXPECT_EQ(g.host.next.PointAt(150, 150), 0u);
    g.core.arrQueue[3].strShape = kBar4;
    g.core.arrQueue[4].strShape = kSquare;
    g.core.arrQueue[5].strShape = kSquare;
    g.core.DrawFuture();
    // Slot 3, string column 2 (u = 2), row 1 (v = 1): filled, outlined yellow.
    EXPECT_EQ(g.host.future.PointAt(2 * 250 + 30, 250 + 125), 0xFFFFu);
    EXPECT_EQ(g.host.future.PointAt(1 * 250 + 30, 250 + 125), RGB(120, 120, 120));
    // Slot 4 stands 1200 twips lower.
    EXPECT_EQ(g.host.future.PointAt(2 * 250 + 30, 2 * 250 + 1200 + 125), 0xFFFFu);
}

TEST(Drawing, AFallStepRepaintsOnlyAroundTheFigure) {
    Game g;
    g.core.DrawWell();
    g.SetFigure(kSquare, 9, 10);
    g.host.well.TakeDirty();
    g.core.DrawFigureArea();
    const PixelRect d = g.host.well.TakeDirty();
    const double share = double(d.w) * d.h / (g.host.well.WidthPx() * g.host.well.HeightPx());
    EXPECT_LT(share, 0.1);
    EXPECT_GT(share, 0.01);
}
