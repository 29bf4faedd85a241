#include "CaptionStrip.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "mainwindow/layout/WindowRegion.h"
#include "platform/widgets/WorkAside.h"
#include "platform/windows/WindowStates.h"

namespace {
constexpr int kButtonW = 21, kButtonH = 19;
constexpr int kIconPx = 16;
}  // namespace

CaptionButton::CaptionButton(Glyph g, QWidget* parent) : QAbstractButton(parent), glyph_(g) {
    setFocusPolicy(Qt::NoFocus);
    setObjectName(g == Glyph::Close ? "cmdClose" : "cmdMinimize");
    setToolTip(QString::fromUtf8(g == Glyph::Close ? "Закрыть" : "Свернуть"));
    resize(kButtonW, kButtonH);
}

void CaptionButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool hot = underMouse();
    QColor face = QColor(64, 0, 0);
    if (hot) face = glyph_ == Glyph::Close ? QColor(220, 0, 0) : QColor(128, 32, 32);
    if (isDown()) face = face.darker(140);
    p.fillRect(rect(), face);
    p.setPen(QColor(160, 96, 96));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(QPen(QColor(255, 255, 255), 2));
    const QRect g = rect().adjusted(7, 5, -7, -5);
    if (glyph_ == Glyph::Close) {
        p.setRenderHint(QPainter::Antialiasing);
        p.drawLine(g.topLeft(), g.bottomRight() + QPoint(1, 1));
        p.drawLine(g.topRight() + QPoint(1, 0), g.bottomLeft() + QPoint(0, 1));
    } else {
        p.drawLine(g.left(), g.bottom(), g.right() + 1, g.bottom());
    }
}

CaptionStrip::CaptionStrip(QWidget* window)
    : QWidget(window),
      cmdMinimize(new CaptionButton(CaptionButton::Glyph::Minimize, this)),
      cmdClose(new CaptionButton(CaptionButton::Glyph::Close, this)) {
    setObjectName("captionStrip");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(0, 0, window->width(), shape::kCaptionStripPx);
    connect(cmdMinimize, &QAbstractButton::clicked, window,
            [window] { windowstate::Apply(window, window->windowState() | Qt::WindowMinimized); });
    connect(cmdClose, &QAbstractButton::clicked, window, [window] { window->close(); });
    AnswerDuringWorkAside(cmdClose);  // as the window manager's close is, also while a record waits
}

void CaptionStrip::resizeEvent(QResizeEvent*) {
    const int y = (height() - kButtonH) / 2;
    cmdClose->move(width() - kButtonW - 4, y);
    cmdMinimize->move(width() - 2 * kButtonW - 6, y);
}

void CaptionStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool active = window()->isActiveWindow();
    QLinearGradient g(0, 0, width(), 0);
    g.setColorAt(0, active ? QColor(160, 0, 0) : QColor(96, 64, 64));
    g.setColorAt(1, active ? QColor(24, 0, 0) : QColor(40, 32, 32));
    p.fillRect(rect(), g);
    p.setPen(QColor(0, 0, 0));
    p.drawLine(0, height() - 1, width(), height() - 1);
    const int iy = (height() - kIconPx) / 2;
    p.drawPixmap(QRect(5, iy, kIconPx, kIconPx), window()->windowIcon().pixmap(kIconPx, kIconPx));
    QFont f = font();
    f.setBold(true);
    f.setPointSizeF(9);
    p.setFont(f);
    p.setPen(active ? QColor(255, 255, 255) : QColor(200, 200, 200));
    const QRect text(5 + kIconPx + 6, 0, cmdMinimize->x() - kIconPx - 15, height());
    p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, window()->windowTitle());
}

bool CaptionStrip::event(QEvent* e) {
    // The window's activation reaches its children as these two events.
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::WindowDeactivate) update();
    return QWidget::event(e);
}

void CaptionStrip::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    // On X11 the window follows the mouse by hand: the system move there
    // can start from a wrong pointer position and make the window jump.
    // Elsewhere the window system moves it where it can.
    QWindow* w = window()->windowHandle();
    if (QGuiApplication::platformName() != "xcb" && w && w->startSystemMove()) return;
    dragging_ = true;
    grab_ = e->globalPosition().toPoint() - window()->pos();
}

void CaptionStrip::mouseMoveEvent(QMouseEvent* e) {
    if (dragging_) window()->move(e->globalPosition().toPoint() - grab_);
}

void CaptionStrip::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }
