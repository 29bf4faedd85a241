#include "WindowRegion.h"

#include <algorithm>

#include "platform/runtime/Arithmetic.h"

namespace shape {

std::vector<Rect> WindowRegion(double outerWidthTw, double outerHeightTw, const std::vector<Member>& members) {
    const int w = arith::RoundToInt32(outerWidthTw), h = arith::RoundToInt32(outerHeightTw);
    std::vector<Rect> r;
    // The whole window less everything below the strip: the strip itself,
    // reaching past the right edge since the width in twips is larger.
    r.push_back({0, 0, w, std::min(h, kCaptionStripPx)});
    for (const Member& m : members) {
        if (m.timer || m.hasHelpText) continue;
        const double l = m.left, t = m.top;
        if (m.label)
            r.push_back({arith::RoundToInt32(l + 2), arith::RoundToInt32(t + 27), arith::RoundToInt32(l + m.width),
                         arith::RoundToInt32(t + m.height + 27)});
        else
            r.push_back({arith::RoundToInt32(l + 2), arith::RoundToInt32(t + 27), arith::RoundToInt32(l + m.width + 6),
                         arith::RoundToInt32(t + m.height + 35)});
    }
    return r;
}

}  // namespace shape
