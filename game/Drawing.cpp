// Drawing of the well, the falling figure, the landing shadow, the next
// figure and the upcoming figures. The well's scale is 3760 by 7760 units,
// a cell 250 units; the previews draw in twips.
#include "GameCore.h"
#include "platform/runtime/Arithmetic.h"

namespace {
constexpr Rgb kSettled = 0xFFFF;    // yellow
constexpr Rgb kEmpty = 0;           // black
constexpr Rgb kFalling = 0xFFFF00;  // outline of the falling figure
constexpr Rgb kFutureFilled = 0xFFFF;
constexpr Rgb kFutureEmpty = RGB(120, 120, 120);

double CellX(int col) { return (col - 4) * 250.0; }
double CellY(int row) { return row * 250.0; }
}  // namespace

Rgb GameCore::GridColor() const { return iPlace < 1 ? RGB(200, 200, 210) : RGB(150, 175, 175); }

void GameCore::DrawCell(Canvas& cv, int col, int row, bool filled) {
    const double x = CellX(col), y = CellY(row);
    cv.FillBox(x + 28, y + 28, x + 222, y + 222, filled ? kSettled : kEmpty);
}

void GameCore::DrawWell() {
    Canvas* cv = pictures_.PictureCanvas(Picture::Gravlok);
    if (!cv) return;
    cv->Cls();
    for (int col = 4; col <= iWellMaxX - 4; ++col)
        for (int row = 0; row <= iWellMaxY - 4; ++row)
            if (arrWell(col, row)) DrawCell(*cv, col, row, true);
    pictures_.PictureChanged(Picture::Gravlok);
}

void GameCore::DrawGrid() {
    Canvas* cv = pictures_.PictureCanvas(Picture::Gravlok);
    if (!cv) return;
    const Rgb c = GridColor();
    const double right = iWellMaxX * 250.0, bottom = iWellMaxY * 250.0;
    for (int x = 0; x <= iWellMaxX; ++x) cv->Line(x * 250.0, 0, x * 250.0, bottom, c);
    for (int y = 0; y <= iWellMaxY; ++y) cv->Line(0, y * 250.0, right, y * 250.0, c);
    pictures_.PictureChanged(Picture::Gravlok);
}

void GameCore::DrawFigureArea() {
    Canvas* cv = pictures_.PictureCanvas(Picture::Gravlok);
    if (!cv) return;
    const int firstCol = iFigX > iWellMaxX - 4 ? iFigX : iFigX - 1;
    const int firstRow = iFigY == 0 ? 0 : iFigY - 1;
    for (int col = firstCol; col < firstCol + 6; ++col) {
        for (int row = firstRow; row < firstRow + 5; ++row) {
            if (!arrWell.Inside(col, row)) continue;
            const int i = col - iFigX, j = row - iFigY;
            const double x = CellX(col), y = CellY(row);
            if (i >= 0 && i < 4 && j >= 0 && j < 4 && arrC(i, j)) {
                cv->Box(x + 28, y + 28, x + 222, y + 222, kFalling);
            } else if (!arrWell(col, row) && col >= 3 && col <= iWellMaxX - 3) {
                DrawCell(*cv, col, row, false);
            }
        }
    }
    pictures_.PictureChanged(Picture::Gravlok);
}

void GameCore::DrawNext() {
    Canvas* cv = pictures_.PictureCanvas(Picture::Next);
    if (!cv) return;
    cv->Cls();
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (arrNext(i, j)) cv->FillBox(i * 250 + 58, j * 250 + 58, i * 250 + 252, j * 250 + 252, ColorFigura);
    pictures_.PictureChanged(Picture::Next);
}

void GameCore::DrawFuture() {
    Canvas* cv = pictures_.PictureCanvas(Picture::Future);
    if (!cv) return;
    cv->Cls();
    for (int s = 3; s <= 5; ++s) {
        const std::string& fig = arrQueue[s].strShape;
        for (int k = 0; k < 16; ++k) {
            const int u = k / 4 + 1, v = k % 4 + 1;
            const double x = u * 250.0, y = v * 250.0 + (s - 3) * 1200.0;
            const bool filled = k < static_cast<int>(fig.size()) && fig[static_cast<size_t>(k)] == '1';
            cv->Box(x + 28, y + 28, x + 222, y + 222, filled ? kFutureFilled : kFutureEmpty);
        }
    }
    pictures_.PictureChanged(Picture::Future);
}

void GameCore::UpdateShadow() {
    if (iMirvax == 0 || (iMirvax == 1 && !arrQueue[1].bSpecial)) return;
    int16_t y = iFigY;
    while (CanMoveDownAt(y)) ++y;
    int16_t x = iFigX;
    EraseShadow(x, y);
    DrawShadow(x, y);
}

void GameCore::EraseShadow(int16_t& col, int16_t& row) {
    if (Canvas* cv = pictures_.PictureCanvas(Picture::Gravlok)) {
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) {
                const int c = iShadowX + i, r = iShadowY + j;
                if (arrWell.Inside(c, r)) DrawCell(*cv, c, r, arrWell(c, r));
            }
        pictures_.PictureChanged(Picture::Gravlok);
    }
    iShadowX = col;
    iShadowY = row;
}

void GameCore::DrawShadow(int16_t& col, int16_t& row) {
    const float r1 = rnd_.Rnd(), r2 = rnd_.Rnd(), r3 = rnd_.Rnd();
    const Rgb c =
        RGB(arith::RoundToInt16(100 + 55 * r1), arith::RoundToInt16(200 + 55 * r2), arith::RoundToInt16(200 + 55 * r3));
    Canvas* cv = pictures_.PictureCanvas(Picture::Gravlok);
    if (!cv) return;
    const int firstCol = col > iWellMaxX - 4 ? col : col - 1;
    const int firstRow = row == 0 ? 0 : row - 1;
    for (int cc = firstCol; cc < firstCol + 6; ++cc)
        for (int rr = firstRow; rr < firstRow + 5; ++rr) {
            const int i = cc - col, j = rr - row;
            if (i >= 0 && i < 4 && j >= 0 && j < 4 && arrC(i, j)) {
                const double x = CellX(cc), y = CellY(rr);
                cv->Box(x + 28, y + 28, x + 222, y + 222, c);
            }
        }
    pictures_.PictureChanged(Picture::Gravlok);
}
