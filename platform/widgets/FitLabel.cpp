#include "FitLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace {
constexpr double kSmallestPoints = 6.0;  // below this a text is shortened instead
constexpr double kStepPoints = 0.25;
}  // namespace

bool FitLabel::Fits(const QFont& font, const QRect& room, int flags, const QString& text) {
    const QFontMetrics fm(font);
    // Measured in an unbounded height, so a wrapped line that would be cut shows.
    const QRect needed = fm.boundingRect(QRect(0, 0, room.width(), 1 << 20), flags, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

QRect FitLabel::TextRect() const {
    const int m = margin();
    return contentsRect().adjusted(m, m, -m, -m);
}

int FitLabel::TextFlags() const { return static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0); }

FitLabel::Shown FitLabel::Fitted() const {
    const QRect room = TextRect();
    const int flags = TextFlags();
    QFont f = font();
    const QString t = text();
    if (t.isEmpty() || Fits(f, room, flags, t)) return {f, t};
    for (double pt = f.pointSizeF() - kStepPoints; pt >= kSmallestPoints; pt -= kStepPoints) {
        f.setPointSizeF(pt);
        if (Fits(f, room, flags, t)) return {f, t};
    }
    f.setPointSizeF(kSmallestPoints);
    return {f, QFontMetrics(f).elidedText(t, Qt::ElideMiddle, room.width())};
}

QFont FitLabel::ShownFont() const { return Fitted().font; }
QString FitLabel::ShownText() const { return Fitted().text; }

void FitLabel::paintEvent(QPaintEvent* e) {
    const Shown s = Fitted();
    if (s.font == font() && s.text == text()) {
        QLabel::paintEvent(e);
        return;
    }
    QPainter p(this);
    p.setFont(s.font);
    const int flags = s.text == text() ? TextFlags() : static_cast<int>(alignment());
    style()->drawItemText(&p, TextRect(), flags, palette(), isEnabled(), s.text, foregroundRole());
}
