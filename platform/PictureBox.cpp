#include "PictureBox.h"

#include <QPainter>
#include <QPaintEvent>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::SetBackColor(Rgb c) {
    // A new back colour wipes the drawing, as with any picture area.
    canvas_.SetBackColor(c);
    if (canvas_.WidthPx() > 0 && canvas_.HeightPx() > 0) {
        canvas_.Cls();
        Flush();
    }
}

void PictureBox::resizeEvent(QResizeEvent*) {
    // The first resize event comes only when the window is shown; the canvas
    // made at the same size before must keep what was drawn into it.
    if (canvas_.WidthPx() == width() - 2 * kBorder && canvas_.HeightPx() == height() - 2 * kBorder &&
        !image_.isNull())
        return;
    const double sw = canvas_.ScaleWidth(), sh = canvas_.ScaleHeight();
    const bool hadScale = canvas_.WidthPx() > 0;
    canvas_.Resize(width() - 2 * kBorder, height() - 2 * kBorder);
    if (hadScale) canvas_.SetScale(sw, sh);
    image_ = QImage(reinterpret_cast<uchar*>(canvas_.Bits()), canvas_.WidthPx(), canvas_.HeightPx(),
                    canvas_.WidthPx() * 4, QImage::Format_RGB32);
    canvas_.Cls();
    canvas_.TakeDirty();
    update();
}

void PictureBox::Flush() {
    const PixelRect d = canvas_.TakeDirty();
    if (!d.Empty()) update(d.x + kBorder, d.y + kBorder, d.w, d.h);
}

void PictureBox::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRect inner(kBorder, kBorder, canvas_.WidthPx(), canvas_.HeightPx());
    if (!inner.contains(e->rect())) {
        // The border: dark on the top and left, light on the bottom and right.
        p.fillRect(rect(), QColor(128, 128, 128));
        p.fillRect(QRect(1, 1, width() - 1, height() - 1), QColor(255, 255, 255));
        p.fillRect(QRect(1, 1, width() - 2, height() - 2), QColor(64, 64, 64));
    }
    const QRect r = e->rect().intersected(inner);
    if (!r.isEmpty()) p.drawImage(r.topLeft(), image_, r.translated(-kBorder, -kBorder));
}
