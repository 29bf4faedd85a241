#include "ScreenUnits.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <cmath>

namespace screenunits {
namespace {
// The toolkit scales about the screen's corner, which stands where it is
// in both units.
QPoint Origin(const QWidget* w) {
    const QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return s ? s->geometry().topLeft() : QPoint();
}

int Round(double v) { return static_cast<int>(std::lround(v)); }
}  // namespace

double Scale(const QWidget* w) {
    const double s = w->windowHandle() ? w->windowHandle()->devicePixelRatio() : w->devicePixelRatioF();
    return s > 0 ? s : 1.0;
}

QPoint FromDisplay(const QWidget* w, QPoint p) {
    const double s = Scale(w);
    const QPoint o = Origin(w);
    return o + QPoint(Round((p.x() - o.x()) / s), Round((p.y() - o.y()) / s));
}

QPoint ToDisplay(const QWidget* w, QPoint p) {
    const double s = Scale(w);
    const QPoint o = Origin(w);
    return o + QPoint(Round((p.x() - o.x()) * s), Round((p.y() - o.y()) * s));
}

QMargins FromDisplay(const QWidget* w, const QMargins& m) {
    const double s = Scale(w);
    return QMargins(Round(m.left() / s), Round(m.top() / s), Round(m.right() / s), Round(m.bottom() / s));
}

}  // namespace screenunits
