#include "GameIcon.h"

#include <QPainter>

namespace {
// The picture on a 16 x 16 grid: '.' empty well, '#' the well's wall, a
// letter a cell of that colour.
// clang-format off
constexpr const char* kPicture[16] = {
    "################",
    "#..............#",
    "#.....YYY......#",
    "#......Y.......#",
    "#..............#",
    "#..............#",
    "#..............#",
    "#..............#",
    "#..............#",
    "#..............#",
    "#..............#",
    "#R.........GG..#",
    "#RRM...C..GGB..#",
    "#RMMMCCCCBBBBG.#",
    "#MMBBRRGGG.CCGG#",
    "################",
};
// clang-format on

QColor ColorOf(char c) {
    switch (c) {
    case '#': return QColor(128, 64, 64);
    case 'Y': return QColor(255, 255, 0);
    case 'R': return QColor(255, 0, 0);
    case 'G': return QColor(0, 255, 0);
    case 'B': return QColor(128, 128, 255);
    case 'C': return QColor(0, 255, 255);
    case 'M': return QColor(255, 0, 255);
    default: return QColor(0, 0, 0);
    }
}
}  // namespace

QImage GameIconImage(int size) {
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    const double cell = size / 16.0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const char c = kPicture[y][x];
            if (c == '.') continue;
            const QRectF r(x * cell, y * cell, cell, cell);
            p.fillRect(r, ColorOf(c));
            // Cells larger than a few pixels get a dark edge, as in the well.
            if (c != '#' && cell >= 3) {
                p.setPen(QPen(QColor(0, 0, 0), 1));
                p.drawRect(r.adjusted(0, 0, -1, -1));
            }
        }
    return img;
}

QIcon GameIcon(bool captionOnly) {
    QIcon icon;
    for (int s : {16, 24, 32, 48, 64, 128}) {
        icon.addPixmap(QPixmap::fromImage(GameIconImage(s)));
        if (captionOnly) break;
    }
    return icon;
}
