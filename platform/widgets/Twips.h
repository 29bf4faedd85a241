#pragma once
// Twips (1/1440 inch) and pixels: 15 twips per pixel at 96 dots per inch.
#include <cmath>

namespace twips {

inline double TwipsPerPixel(double dpi) { return 1440.0 / dpi; }

// A position or size in twips as whole pixels at the given logical dpi;
// values from an edited file beyond what a screen can have are held at the
// window system's limit (X11 coordinates are 16-bit).
inline int ToPixels(double tw, double dpi = 96.0) {
    constexpr double kLimit = 32767;
    const double px = tw * dpi / 1440.0;
    if (std::isnan(px)) return 0;
    return static_cast<int>(std::nearbyint(px < -kLimit ? -kLimit : px > kLimit ? kLimit : px));
}

inline double FromPixels(double px, double dpi = 96.0) { return px * 1440.0 / dpi; }

}  // namespace twips
