#include "WindowPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "FrameKeeper.h"
#include "ScreenUnits.h"

namespace windowplace {

void MoveFrame(QWidget* w, QPoint p) {
    Hold(w, [p] { return p; });
}

QPoint FramePos(const QWidget* w) { return w->frameGeometry().topLeft(); }

QSize FrameSize(const QWidget* w) {
    // A window of a fixed size has that size, whatever the toolkit reports
    // for it in passing.
    const QSize own =
        w->minimumSize() == w->maximumSize() && !w->minimumSize().isEmpty() ? w->minimumSize() : w->size();
    if (Frameless(w)) return own;
    const QMargins m = KnownFrame(w);
    return own.grownBy(m.isNull() ? LastFrame() : m);
}

QRect FrameRect(const QWidget* w) { return QRect(FramePos(w), FrameSize(w)); }

void CentreFrame(QWidget* w, const QRect& area) {
    Hold(w, [w, area] {
        const QSize s = FrameSize(w);
        return QPoint(area.x() + (area.width() - s.width()) / 2, area.y() + (area.height() - s.height()) / 2);
    });
}

QRect ScreenArea(const QWidget* w) {
    QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

QPoint OnScreen(const QWidget* w, QPoint p) {
    QRect area = ScreenArea(w);
    // At a fractional scale the toolkit rounds the screen's size up (its
    // last pixel is partly off the display), and the place and the frame's
    // widths are each rounded to the display's pixels: two pixels spare.
    const double scale = screenunits::Scale(w);
    if (scale != std::floor(scale)) area.adjust(0, 0, -2, -2);
    const QSize s = FrameSize(w);
    const auto within = [](int at, int size, int start, int length) {
        return std::max(start, std::min(at, start + length - size));
    };
    return QPoint(within(p.x(), s.width(), area.x(), area.width()), within(p.y(), s.height(), area.y(), area.height()));
}

}  // namespace windowplace
