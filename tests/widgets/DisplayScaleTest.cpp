// The well at any display scale: drawn in the screen's own pixels, its grid
// lines one pixel wide and evenly spaced. CTest runs these at 100 %, 125 %
// and 150 % (QT_SCALE_FACTOR).
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <algorithm>

#include "Game.h"

namespace {
// The x of every column of row y whose pixel has the grid's colour.
std::vector<int> GridColumns(const QImage& img, int y, QRgb grid) {
    std::vector<int> xs;
    for (int x = 0; x < img.width(); ++x)
        if ((img.pixel(x, y) & 0xFFFFFF) == (grid & 0xFFFFFF)) xs.push_back(x);
    return xs;
}

// Largest and smallest gap between neighbouring lines.
std::pair<int, int> Gaps(const std::vector<int>& xs) {
    int lo = 1 << 20, hi = 0;
    for (size_t i = 1; i < xs.size(); ++i) {
        lo = std::min(lo, xs[i] - xs[i - 1]);
        hi = std::max(hi, xs[i] - xs[i - 1]);
    }
    return {lo, hi};
}
}  // namespace

TEST(DisplayScale, TheWellsGridLinesAreOnePixelWideAndEvenlySpacedOnTheScreen) {
    Game g;
    g.w->show();
    const double dpr = g.w->picGravlok->devicePixelRatioF();
    const QSize inner = g.w->picGravlok->InnerSize();
    Canvas& c = g.w->picGravlok->canvas();
    EXPECT_EQ(c.WidthPx(), qRound(inner.width() * dpr));
    EXPECT_EQ(c.HeightPx(), qRound(inner.height() * dpr));
    g.w->DrawWell();
    g.w->DrawGrid();
    // A row inside the bottom cell row, clear of the figure at the top.
    const Rgb grid = c.PixelAt(0, c.HeightPx() - 1);
    const QRgb argb = qRgb(grid & 0xFF, (grid >> 8) & 0xFF, (grid >> 16) & 0xFF);
    const QImage shown = g.w->picGravlok->grab().toImage();
    ASSERT_EQ(shown.width(), qRound(g.w->picGravlok->width() * dpr));
    const int y = shown.height() - qRound(PictureBox::kBorder * dpr) - qRound(6 * dpr);
    const std::vector<int> xs = GridColumns(shown, y, argb);
    ASSERT_EQ(xs.size(), 16u) << "scale " << dpr;  // 15 columns: 16 lines, each one pixel wide
    const auto [lo, hi] = Gaps(xs);
    EXPECT_LE(hi - lo, 1) << "scale " << dpr << ": gaps from " << lo << " to " << hi;
}
