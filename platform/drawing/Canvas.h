#pragma once
// The picture of a picture area: a pixel image with a logical coordinate
// system over it, drawn with clears, lines and boxes, and the rectangle that
// the drawing since the last look touched. The window only shows it.
#include <cstdint>
#include <vector>

#include "Palette.h"

struct PixelRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool Empty() const { return w <= 0 || h <= 0; }
    void Unite(const PixelRect& o);
};

class Canvas {
public:
    // Size in pixels; the logical scale defaults to the pixel size.
    void Resize(int widthPx, int heightPx);
    // Logical width and height spanning the whole picture.
    void SetScale(double scaleWidth, double scaleHeight);

    int WidthPx() const { return w_; }
    int HeightPx() const { return h_; }
    double ScaleWidth() const { return sw_; }
    double ScaleHeight() const { return sh_; }

    void SetBackColor(Rgb c) { back_ = c; }
    Rgb BackColor() const { return back_; }

    // Clears the whole picture to its back colour.
    void Cls();
    // Line from (x1, y1) to (x2, y2) in logical units, both ends included.
    void Line(double x1, double y1, double x2, double y2, Rgb c);
    // Outline of the box with corners (x1, y1) and (x2, y2).
    void Box(double x1, double y1, double x2, double y2, Rgb c);
    // The box filled.
    void FillBox(double x1, double y1, double x2, double y2, Rgb c);

    // The colour at a pixel.
    Rgb PixelAt(int px, int py) const;
    // The colour at a logical point.
    Rgb PointAt(double x, double y) const;

    // Pixels as 0xFFRRGGBB, row after row.
    const uint32_t* Bits() const { return px_.data(); }
    uint32_t* Bits() { return px_.data(); }

    // The rectangle touched since the last call, which it clears.
    PixelRect TakeDirty();

    int ToPxX(double x) const;
    int ToPxY(double y) const;

private:
    void FillPx(int x1, int y1, int x2, int y2, Rgb c);  // inclusive, clipped
    void Touch(int x1, int y1, int x2, int y2);

    int w_ = 0, h_ = 0;
    double sw_ = 1, sh_ = 1;
    Rgb back_ = 0;
    std::vector<uint32_t> px_;
    PixelRect dirty_;
};
