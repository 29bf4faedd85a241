#include "PictureBox.h"

#include <QPaintEvent>
#include <QPainter>

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

QSize PictureBox::DeviceSize() const {
    // The drawing is made in the screen's own pixels, so its lines stay one
    // pixel wide and evenly spaced at any display scale.
    const double dpr = devicePixelRatioF();
    return QSize(qRound((width() - 2 * kBorder) * dpr), qRound((height() - 2 * kBorder) * dpr));
}

void PictureBox::resizeEvent(QResizeEvent*) {
    // The first resize event comes only when the window is shown; the canvas
    // made at the same size before must keep what was drawn into it.
    const QSize device = DeviceSize();
    if (canvas_.WidthPx() == device.width() && canvas_.HeightPx() == device.height() && !image_.isNull()) return;
    const double sw = canvas_.ScaleWidth(), sh = canvas_.ScaleHeight();
    const bool hadScale = canvas_.WidthPx() > 0;
    canvas_.Resize(device.width(), device.height());
    if (hadScale) canvas_.SetScale(sw, sh);
    image_ = QImage(reinterpret_cast<uchar*>(canvas_.Bits()), canvas_.WidthPx(), canvas_.HeightPx(),
                    canvas_.WidthPx() * 4, QImage::Format_RGB32);
    canvas_.Cls();
    canvas_.TakeDirty();
    update();
}

void PictureBox::Flush() {
    const PixelRect d = canvas_.TakeDirty();
    if (d.Empty()) return;
    const double dpr = devicePixelRatioF();
    const QRect r = QRectF(d.x / dpr, d.y / dpr, d.w / dpr, d.h / dpr).toAlignedRect();
    update(r.translated(kBorder, kBorder));
}

void PictureBox::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const double dpr = devicePixelRatioF();
    const QRect inner(kBorder, kBorder, width() - 2 * kBorder, height() - 2 * kBorder);
    if (!inner.contains(e->rect())) {
        // The border: dark on the top and left, light on the bottom and right.
        p.fillRect(rect(), QColor(128, 128, 128));
        p.fillRect(QRect(1, 1, width() - 1, height() - 1), QColor(255, 255, 255));
        p.fillRect(QRect(1, 1, width() - 2, height() - 2), QColor(64, 64, 64));
    }
    const QRect r = e->rect().intersected(inner);
    if (r.isEmpty()) return;
    const QRectF source((r.x() - kBorder) * dpr, (r.y() - kBorder) * dpr, r.width() * dpr, r.height() * dpr);
    p.drawImage(QRectF(r), image_, source);
}
