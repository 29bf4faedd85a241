#include "FrameKeeper.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <optional>

#include "ScreenUnits.h"
#include "WindowPlace.h"
#include "X11.h"

namespace windowplace {
namespace {
QMargins& Last() {
    static QMargins m;
    return m;
}

// Where the window manager has the window's frame corner, read from the X
// server (the frame it says it draws, around where the window's own area
// is): Qt's copy lags behind it, and a resize Qt sends before it has heard
// of a move can undo the move. Nothing while the window is not in view or
// no frame has been said.
std::optional<QPoint> FrameCornerOnServer(const QWidget* w) {
    if (!x11::Connection() || !w->windowHandle() || !w->windowHandle()->handle()) return std::nullopt;
    const auto id = static_cast<xcb_window_t>(w->winId());
    const std::optional<x11::Extents> e = x11::FrameExtents(id);
    if (!e) return std::nullopt;
    const std::optional<x11::Corner> at = x11::ViewedAt(id);
    if (!at) return std::nullopt;
    return screenunits::FromDisplay(w, QPoint(at->x - e->left, at->y - e->top));
}

// Holds a window's frame at its place on every showing. A window manager
// frames a window early or late and forgets the frame while the window is
// hidden, and a resize made before Qt has heard where the frame went (the
// help screen unrolls) moves the window's own area to where the frame
// belongs: until the window has been still for a moment, any such move is
// set right. Shown again without a new place, a window goes back where its
// frame was. One keeper a window, living with it.
class Keeper : public QObject {
public:
    static constexpr const char* kName = "windowplace::Keeper";
    static constexpr int kQuietMs = 400;  // no move or resize for this long: settled
    static constexpr int kMostCorrections = 50;
    static constexpr int kMostWaits = 25;        // 10 s: a frame not known by then never comes
    static constexpr int kUnsaidFrameMs = 1500;  // shown this long and no frame said: none comes

    static Keeper* Of(QWidget* w) {
        if (auto* k = w->findChild<Keeper*>(kName, Qt::FindDirectChildrenOnly)) return k;
        return new Keeper(w);
    }

    void Hold(Place p) {
        p_ = std::move(p);
        holding_ = true;
        corrections_ = 0;
        waits_ = 0;
        quiet_.start();
    }

    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
        case QEvent::Show:
            // Shown again without a new place: back where the frame was.
            if (!holding_ && last_) Hold([p = *last_] { return p; });
            if (holding_) {
                MoveNow(w_, p_());
                quiet_.start();
            }
            break;
        case QEvent::Hide: exposed_ = false; break;
        case QEvent::Expose:
            if (!exposed_ && w_->windowHandle() && w_->windowHandle()->isExposed()) {
                exposed_ = true;
                exposedFor_.start();
            }
            [[fallthrough]];
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowActivate:
            if (holding_) {
                quiet_.start();
                Correct();
            } else {
                Remember();
            }
            break;
        default: break;
        }
        return false;
    }

private:
    explicit Keeper(QWidget* w) : QObject(w), w_(w) {
        setObjectName(kName);
        quiet_.setSingleShot(true);
        quiet_.setInterval(kQuietMs);
        connect(&quiet_, &QTimer::timeout, this, [this] { Settle(); });
        w->installEventFilter(this);
    }

    void Settle() {
        if (!w_ || !w_->isVisible()) return;  // hidden: its next showing starts the count again
        if (!Framed() && ++waits_ < kMostWaits) {
            quiet_.start();  // not framed yet: hold on, for a while
            return;
        }
        Correct();
        holding_ = false;
        Remember();
    }

    void Correct() {
        if (!w_ || !w_->isVisible() || !Framed() || corrections_ >= kMostCorrections) return;
        const QPoint p = p_();
        if (FramePlace() == p) return;
        ++corrections_;
        MoveNow(w_, p);
    }

    // Where the frame is: the window manager's word where it is known.
    QPoint FramePlace() const {
        const std::optional<QPoint> onServer = FrameCornerOnServer(w_);
        return onServer ? *onServer : w_->frameGeometry().topLeft();
    }

    // The frame's place while it is known: where the window goes back to.
    void Remember() {
        if (w_ && w_->isVisible() && Framed()) last_ = FramePlace();
    }

    // Framed once the window manager has said where its frame is, or Qt
    // knows a frame. A window manager that draws none may leave both empty
    // for good: a shown window it has said nothing of for a while counts as
    // framed.
    bool Framed() const {
        if (FrameCornerOnServer(w_) || !KnownFrame(w_).isNull()) return true;
        if (!exposed_) return false;
        return !x11::Connection() || exposedFor_.elapsed() >= kUnsaidFrameMs;
    }

    QPointer<QWidget> w_;
    Place p_;
    bool holding_ = false;
    bool exposed_ = false;
    QElapsedTimer exposedFor_;
    int corrections_ = 0;
    int waits_ = 0;
    std::optional<QPoint> last_;
    QTimer quiet_;
};
}  // namespace

QMargins KnownFrame(const QWidget* w) {
    if (!w->isVisible() || !w->windowHandle() || !w->windowHandle()->handle()) return {};
    // The window manager's word first: Qt works its copy out from where the
    // window sits in its frame, which is nonsense while the window manager
    // has not placed it yet.
    QMargins m;
    const auto said = x11::Connection() ? x11::FrameExtents(static_cast<xcb_window_t>(w->winId())) : std::nullopt;
    if (said) m = screenunits::FromDisplay(w, QMargins(said->left, said->top, said->right, said->bottom));
    else m = w->windowHandle()->frameMargins();
    if (m.left() < 0 || m.top() < 0 || m.right() < 0 || m.bottom() < 0) return {};
    if (!m.isNull()) Last() = m;
    return m;
}

QMargins LastFrame() { return Last(); }

bool Frameless(const QWidget* w) { return w->windowFlags() & Qt::FramelessWindowHint; }

void MoveNow(QWidget* w, QPoint p) {
    // A hidden window shown before keeps a native window whose frame Qt may
    // no longer know: moving the widget would put its own area where the
    // frame belongs. The native window is given the frame's corner, which
    // the window manager honours whenever it maps it. A window not made yet
    // keeps a corner given to the widget as the frame's. One in view with a
    // frame the window manager has said is moved by the window manager: Qt
    // would work its own area's place out from a frame it may not know.
    QWindow* h = w->windowHandle();
    if (h && !w->isVisible() && !Frameless(w)) h->setFramePosition(p);
    else if (!Frameless(w) && FrameCornerOnServer(w)) {
        const QPoint d = screenunits::ToDisplay(w, p);
        x11::MoveFrame(static_cast<xcb_window_t>(w->winId()), d.x(), d.y());
    } else w->move(p);
}

void Hold(QWidget* w, Place place) {
    // Wherever the game puts a window, it is on the screen.
    Place onScreen = [w, place = std::move(place)] { return OnScreen(w, place()); };
    if (Frameless(w)) {
        w->move(onScreen());
        return;
    }
    const QPoint p = onScreen();
    Keeper::Of(w)->Hold(std::move(onScreen));
    MoveNow(w, p);
}

}  // namespace windowplace
