#pragma once
// The shape of the main window: its caption strip, the four panels and the
// five bars that join them, as rectangles in window pixels. Everything else
// of the window is cut away, so the desktop shows through the gaps.
#include <vector>

namespace shape {

// Height of the caption strip in pixels, whatever the display's dpi.
inline constexpr int kCaptionStripPx = 27;

// One control of the window, in control order.
struct Member {
    bool timer = false;
    bool hasHelpText = false;                         // controls with a help text are not part of the shape
    bool label = false;                               // the bars are labels
    double left = 0, top = 0, width = 0, height = 0;  // pixels, relative to the client area
};

// left, top inclusive; right, bottom exclusive.
struct Rect {
    int left, top, right, bottom;
    bool operator==(const Rect&) const = default;
};

// The caption strip first, then one rectangle per member that belongs to the
// shape, in control order. outerWidthTw/outerHeightTw: the window's outer
// size in twips.
std::vector<Rect> WindowRegion(double outerWidthTw, double outerHeightTw, const std::vector<Member>& members);

}  // namespace shape
