// Movement, rotation and collision of the falling figure.
#include "GameCore.h"

namespace {
bool HasCells(const FigureGrid& g) {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (g(i, j)) return true;
    return false;
}
}  // namespace

bool GameCore::Enable_Move_Left_Right(int16_t Index) const {
    const int d = Index - 1;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (!arrC(i, j)) continue;
            const int col = iFigX + d + i, row = iFigY + j;
            if (col < 4 || col > iWellMaxX - 4) return false;
            if (row > iWellMaxY || arrWell(col, row)) return false;
        }
    }
    return true;
}

bool GameCore::CanMoveDownAt(int y) const {
    // A figure without cells falls to the floor row and lands there.
    if (!HasCells(arrC)) return y < iWellMaxY - 4;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (!arrC(i, j)) continue;
            const int row = y + j;
            if (row == iWellMaxY - 4) return false;
            // Cells below the floor row (left there by an inversion) rest on
            // the last row of the well.
            if (row >= iWellMaxY) return false;
            if (arrWell(iFigX + i, row + 1)) return false;
        }
    }
    return true;
}

bool GameCore::CanMoveDown() const { return CanMoveDownAt(iFigY); }

bool GameCore::FitsInWell(const FigureGrid& T) const {
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            if (!T(i, j)) continue;
            const int col = iFigX + i, row = iFigY + j;
            if (col < 4 || col > iWellMaxX - 4 || row > iWellMaxY - 4) return false;
            if (arrWell(col, row)) return false;
        }
    }
    return true;
}

void GameCore::RotateFigure() {
    FigureGrid T;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) T.Set(3 - j, i, arrC(i, j));
    if (FitsInWell(T)) arrC = T;
}

bool GameCore::CanInvert() const {
    if (iFigX < 4 || iFigX > 15) return false;
    // The floor is not tested, but the box must stay inside the well.
    if (iFigY + 3 > iWellMaxY) return false;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (arrWell(iFigX + i, iFigY + j)) return false;
    return true;
}

void GameCore::InvertFigure() {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) arrC.Set(i, j, !arrC(i, j));
    DrawFigureArea();
    host_.Play(Sound::Inverse1);
}
