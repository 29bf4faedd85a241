#pragma once
// Colours as 24-bit values with red in the low byte, and the 16-colour
// console palette.
#include <cstdint>

using Rgb = uint32_t;

constexpr Rgb RGB(int r, int g, int b) { return static_cast<Rgb>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16)); }
constexpr int RedOf(Rgb c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }

// Palette colour k (0 black, 1 dark blue, ..., 15 white); k is taken modulo 16.
Rgb QBColor(int k);
