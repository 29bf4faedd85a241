// The well at any display scale: drawn in the screen's own pixels, its grid
// lines one pixel wide and evenly spaced. CTest runs these at 100 %, 125 %
// and 150 % (QT_SCALE_FACTOR).
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "Game.h"
#include "platform/desktop/Fonts.h"

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

namespace {
// The rows of `text` in `font` that hold ink, drawn at a display scale, in
// the display's pixels.
int InkHeight(const QFont& font, const QString& text, double scale) {
    QImage img(qRound(200 * scale), qRound(40 * scale), QImage::Format_RGB32);
    img.setDevicePixelRatio(scale);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRect(0, 0, 200, 40), Qt::AlignCenter, text);
    }
    int top = img.height(), bottom = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return bottom < top ? 0 : bottom - top + 1;
}
}  // namespace

// The dialogs' small text grows with the display scale: a face whose glyphs
// are one strike of the display's pixels would draw them at 100 % between
// the scaled advances, letter-spaced. (CTest runs it at 125, 150 and 200 %.)
TEST(DisplayScale, SmallTextGrowsWithTheScaleNotLetterSpaced) {
    Game g;  // the game's fonts
    const double scale = g.w->devicePixelRatioF();
    const QFont f = LayoutFont("MS Sans Serif", 8.25);
    if (scale == 1.0) {
        // At 100 % the small text is the bitmap face the layout was drawn with.
        EXPECT_EQ(f.family().toStdString(), "MS Sans Serif");
        return;
    }
    for (const char* text : {"Озвучивание", "Да"}) {
        const QString t = QString::fromUtf8(text);
        const int atFull = InkHeight(f, t, 1.0), scaled = InkHeight(f, t, scale);
        // At least half the growth, whatever the hinting rounds.
        EXPECT_GE(scaled, atFull * (1 + (scale - 1) / 2))
            << text << " in " << f.family().toStdString() << ": " << atFull << " px high at 100 %, " << scaled << " at "
            << scale * 100 << " %";
    }
}
