#include "WindowPlace.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <functional>

namespace windowplace {
namespace {
// The frame the window manager drew around the last framed window: the best
// guess for a window not framed yet.
QMargins& LastFrame() {
    static QMargins m;
    return m;
}

QMargins KnownFrame(const QWidget* w) {
    if (!w->isVisible() || !w->windowHandle() || !w->windowHandle()->handle()) return {};
    const QMargins m = w->windowHandle()->frameMargins();
    if (!m.isNull()) LastFrame() = m;
    return m;
}

bool Frameless(const QWidget* w) { return w->windowFlags() & Qt::FramelessWindowHint; }

// Where a window's frame belongs, worked out again once the frame is known.
using Place = std::function<QPoint()>;

// Watches a window until the window manager has framed it, then puts its
// frame where it was asked to be, once.
class Keeper : public QObject {
public:
    static constexpr const char* kName = "windowplace::Keeper";
    Keeper(QWidget* w, Place p) : QObject(w), w_(w), p_(std::move(p)) {
        setObjectName(kName);
        w->installEventFilter(this);
    }
    void Want(Place p) { p_ = std::move(p); }

    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
        case QEvent::Move:
        case QEvent::Expose:
        case QEvent::WindowActivate:
            if (!KnownFrame(w_).isNull()) {
                w_->removeEventFilter(this);
                const QPoint p = p_();
                if (w_->frameGeometry().topLeft() != p) w_->move(p);
                deleteLater();
            }
            break;
        default: break;
        }
        return false;
    }

private:
    QPointer<QWidget> w_;
    Place p_;
};

void Put(QWidget* w, const Place& place) {
    w->move(place());  // the frame's corner when Qt knows the frame; else the window's own
    if (Frameless(w) || !KnownFrame(w).isNull()) return;
    if (auto* k = w->findChild<QObject*>(Keeper::kName, Qt::FindDirectChildrenOnly))
        static_cast<Keeper*>(k)->Want(place);
    else new Keeper(w, place);
}
}  // namespace

void MoveFrame(QWidget* w, QPoint p) {
    Put(w, [p] { return p; });
}

QPoint FramePos(const QWidget* w) { return w->frameGeometry().topLeft(); }

QSize FrameSize(const QWidget* w) {
    if (Frameless(w)) return w->size();
    const QMargins m = KnownFrame(w);
    const QMargins f = m.isNull() ? LastFrame() : m;
    return w->size().grownBy(f);
}

void CentreFrame(QWidget* w, const QRect& area) {
    Put(w, [w, area] {
        const QSize s = FrameSize(w);
        return QPoint(area.x() + (area.width() - s.width()) / 2, area.y() + (area.height() - s.height()) / 2);
    });
}

QRect ScreenArea(const QWidget* w) {
    QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace windowplace
