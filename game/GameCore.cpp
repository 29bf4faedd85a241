#include "GameCore.h"

#include "platform/runtime/Arithmetic.h"

GameCore::GameCore(GameHost& host, PictureHost& pictures, RandomSource& rnd, TimeOfDay& clock)
    : host_(host), pictures_(pictures), rnd_(rnd), clock_(clock) {}

void GameCore::WarmUp(int n) {
    for (int i = 0; i < n; ++i) rnd_.Rnd();
}

int32_t GameCore::Shown(int32_t tenths) { return arith::RoundToInt32(tenths / 10.0); }
