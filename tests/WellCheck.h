#pragma once
// What the well may hold after any tick: settled cells only between the
// walls, no full row left standing, and the falling figure inside the well.
#include <gtest/gtest.h>

#include "game/GameCore.h"

inline void CheckWell(const GameCore& g) {
    for (int c = 0; c <= 22; ++c)
        for (int r = 0; r <= 34; ++r)
            if (g.arrWell(c, r)) {
                ASSERT_GE(c, 4) << "settled cell in the left margin";
                ASSERT_LE(c, 18) << "settled cell in the right margin";
            }
    for (int r = 0; r <= 30; ++r) {
        bool full = true;
        for (int c = 4; c <= 18 && full; ++c) full = g.arrWell(c, r);
        ASSERT_FALSE(full) << "a full row stayed: " << r;
    }
    ASSERT_LE(g.iFigY, 34);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (g.arrC(i, j)) {
                ASSERT_GE(g.iFigX + i, 4);
                ASSERT_LE(g.iFigX + i, 18);
                ASSERT_LE(g.iFigY + j, 34);
            }
}
