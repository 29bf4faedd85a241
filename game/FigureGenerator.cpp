// Figure generation: the seven ordinary figures, Gravlok figures with their
// random patterns and bonuses, the figure queue.
#include "GameCore.h"
#include "platform/runtime/Arithmetic.h"

namespace {
const char* const kOrdinary[7] = {
    "0000111010000000", "0000011100010000", "0000111100000000", "0000010001100010",
    "0000001001100100", "0000001001110000", "0000011001100000",
};
}

std::string GameCore::NextFigure() {
    WarmUp(clock_.Seconds() * 2 + 1);
    lngNewBonus = 0;
    const int k = arith::FloorToInt32(rnd_.Rnd() * 7.0f);
    std::string fig = kOrdinary[(k >= 0 && k < 6) ? k : 6];
    bNewSpecial = false;
    if (arith::FloorToInt32(rnd_.Rnd() * 50.0f) != 25) return fig;

    Initialize_Array_For_Gravlok(fig);
    bNewSpecial = true;
    if (fig == kSuperGravlok) {
        lngNewBonus = kSuperGravlokBonus;
    } else {
        const float v = rnd_.Rnd() * 20001.0f + 30000.0f;
        lngNewBonus = arith::RoundToInt32(v);
    }
    return fig;
}

void GameCore::Initialize_Array_For_Gravlok(std::string& strGravlok) {
    WarmUp(clock_.Seconds() + 1);
    std::string s;
    int filled = 0;
    for (int i = 0; i < 16; ++i) {
        if (0.8f > rnd_.Rnd()) {
            s += '0';
        } else {
            s += '1';
            ++filled;
        }
    }
    strGravlok = filled == 0 ? std::string(kSuperGravlok) : s;
}

void GameCore::Initialize_Array_For_Zunbel(FigureGrid& a, const std::string& strFIG) {
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            const size_t k = static_cast<size_t>(4 * i + j);
            const bool filled = k < strFIG.size() && strFIG[k] == '1';
            a.Set(i, j, filled);
            if (filled) arith::SaturatingIncrease(iCellCount);
        }
    }
    UpdateShadow();
}

void GameCore::ShiftQueue() {
    for (int s = 2; s <= 5; ++s) arrQueue[s - 1] = arrQueue[s];
    arrQueue[5].strShape = NextFigure();
    arrQueue[5].lngBonus = lngNewBonus;
    arrQueue[5].bSpecial = bNewSpecial;
}
