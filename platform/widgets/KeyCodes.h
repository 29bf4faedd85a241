#pragma once
// Virtual-key codes of the keys the game uses, from the window system's keys.
#include <Qt>

namespace keycode {
constexpr int kSpace = 32, kEscape = 27, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

inline int FromQt(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Left: return kLeft;
    case Qt::Key_Up: return kUp;
    case Qt::Key_Right: return kRight;
    case Qt::Key_Down: return kDown;
    case Qt::Key_Space: return kSpace;
    case Qt::Key_Escape: return kEscape;
    default: return 0;
    }
}
}  // namespace keycode
