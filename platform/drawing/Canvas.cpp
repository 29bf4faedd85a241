#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

static uint32_t ToArgb(Rgb c) {
    return 0xFF000000u | (static_cast<uint32_t>(RedOf(c)) << 16) | (static_cast<uint32_t>(GreenOf(c)) << 8) |
           static_cast<uint32_t>(BlueOf(c));
}

void PixelRect::Unite(const PixelRect& o) {
    if (o.Empty()) return;
    if (Empty()) {
        *this = o;
        return;
    }
    const int x2 = std::max(x + w, o.x + o.w), y2 = std::max(y + h, o.y + o.h);
    x = std::min(x, o.x);
    y = std::min(y, o.y);
    w = x2 - x;
    h = y2 - y;
}

void Canvas::Resize(int widthPx, int heightPx) {
    w_ = std::max(0, widthPx);
    h_ = std::max(0, heightPx);
    sw_ = w_ > 0 ? w_ : 1;
    sh_ = h_ > 0 ? h_ : 1;
    px_.assign(static_cast<size_t>(w_) * h_, ToArgb(back_));
    dirty_ = {0, 0, w_, h_};
}

void Canvas::SetScale(double scaleWidth, double scaleHeight) {
    sw_ = scaleWidth;
    sh_ = scaleHeight;
}

int Canvas::ToPxX(double x) const { return static_cast<int>(std::floor(x * w_ / sw_)); }
int Canvas::ToPxY(double y) const { return static_cast<int>(std::floor(y * h_ / sh_)); }

void Canvas::Touch(int x1, int y1, int x2, int y2) { dirty_.Unite({x1, y1, x2 - x1 + 1, y2 - y1 + 1}); }

void Canvas::FillPx(int x1, int y1, int x2, int y2, Rgb c) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, w_ - 1);
    y2 = std::min(y2, h_ - 1);
    if (x1 > x2 || y1 > y2) return;
    const uint32_t v = ToArgb(c);
    for (int y = y1; y <= y2; ++y) {
        uint32_t* row = px_.data() + static_cast<size_t>(y) * w_;
        std::fill(row + x1, row + x2 + 1, v);
    }
    Touch(x1, y1, x2, y2);
}

void Canvas::Cls() { FillPx(0, 0, w_ - 1, h_ - 1, back_); }

void Canvas::Line(double x1, double y1, double x2, double y2, Rgb c) {
    const int ax = ToPxX(x1), ay = ToPxY(y1), bx = ToPxX(x2), by = ToPxY(y2);
    if (ax == bx || ay == by) {  // the game draws only straight lines
        FillPx(ax, ay, bx, by, c);
        return;
    }
    const int steps = std::max(std::abs(bx - ax), std::abs(by - ay));
    for (int i = 0; i <= steps; ++i) {
        const int x = ax + (bx - ax) * i / steps, y = ay + (by - ay) * i / steps;
        FillPx(x, y, x, y, c);
    }
}

void Canvas::Box(double x1, double y1, double x2, double y2, Rgb c) {
    const int ax = ToPxX(x1), ay = ToPxY(y1), bx = ToPxX(x2), by = ToPxY(y2);
    FillPx(ax, ay, bx, ay, c);
    FillPx(ax, by, bx, by, c);
    FillPx(ax, ay, ax, by, c);
    FillPx(bx, ay, bx, by, c);
}

void Canvas::FillBox(double x1, double y1, double x2, double y2, Rgb c) {
    FillPx(ToPxX(x1), ToPxY(y1), ToPxX(x2), ToPxY(y2), c);
}

Rgb Canvas::PixelAt(int px, int py) const {
    if (px < 0 || py < 0 || px >= w_ || py >= h_) return 0;
    const uint32_t v = px_[static_cast<size_t>(py) * w_ + px];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

Rgb Canvas::PointAt(double x, double y) const { return PixelAt(ToPxX(x), ToPxY(y)); }

PixelRect Canvas::TakeDirty() {
    PixelRect d = dirty_;
    dirty_ = {};
    return d;
}
