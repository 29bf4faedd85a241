#include "GraphicalButton.h"

#include <QPainter>

GraphicalButton::GraphicalButton(const QString& caption, bool checkButton, QWidget* parent)
    : QPushButton(caption, parent) {
    setCheckable(checkButton);
}

void GraphicalButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    const QPalette& pal = palette();
    p.fillRect(r, pal.color(QPalette::Button));
    // A check-button that stays down shows a lighter face, as pressed toggles do.
    if (isChecked()) p.fillRect(r, QColor(255, 255, 255, 80));
    const QColor light(255, 255, 255), shadow(128, 128, 128), dark(64, 64, 64);
    const int x1 = r.left(), y1 = r.top(), x2 = r.right(), y2 = r.bottom();
    if (Sunken()) {
        // Sunken: dark on the top and left, light at the bottom and right.
        p.setPen(dark);
        p.drawLine(x1, y1, x2, y1);
        p.drawLine(x1, y1, x1, y2);
        p.setPen(shadow);
        p.drawLine(x1 + 1, y1 + 1, x2 - 1, y1 + 1);
        p.drawLine(x1 + 1, y1 + 1, x1 + 1, y2 - 1);
        p.setPen(light);
        p.drawLine(x1, y2, x2, y2);
        p.drawLine(x2, y1, x2, y2);
    } else {
        p.setPen(light);
        p.drawLine(x1, y1, x2 - 1, y1);
        p.drawLine(x1, y1, x1, y2 - 1);
        p.setPen(dark);
        p.drawLine(x1, y2, x2, y2);
        p.drawLine(x2, y1, x2, y2);
        p.setPen(shadow);
        p.drawLine(x1 + 1, y2 - 1, x2 - 1, y2 - 1);
        p.drawLine(x2 - 1, y1 + 1, x2 - 1, y2 - 1);
    }
    // The caption moves a pixel down and right when the button is down.
    const QRect text = Sunken() ? r.translated(1, 1) : r;
    p.setFont(font());
    if (isEnabled()) {
        p.setPen(pal.color(QPalette::ButtonText));
        p.drawText(text, Qt::AlignCenter, this->text());
    } else {
        p.setPen(light);
        p.drawText(text.translated(1, 1), Qt::AlignCenter, this->text());
        p.setPen(shadow);
        p.drawText(text, Qt::AlignCenter, this->text());
    }
}
