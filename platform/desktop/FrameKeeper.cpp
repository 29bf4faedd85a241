#include "FrameKeeper.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <optional>

#include "X11.h"

namespace windowplace {
namespace {
QMargins& Last() {
    static QMargins m;
    return m;
}

// What the window manager has said of a window's frame on the X server
// (_NET_FRAME_EXTENTS): Qt's copy may lag behind it.
enum class ServerFrame { Unsaid, Empty, Drawn, NoServer };

ServerFrame FrameOnServer(const QWidget* w) {
    xcb_connection_t* c = x11::Connection();
    if (!c) return ServerFrame::NoServer;
    if (!w->windowHandle() || !w->windowHandle()->handle()) return ServerFrame::Unsaid;
    static const xcb_atom_t extents = x11::Atom("_NET_FRAME_EXTENTS");
    const auto cookie = xcb_get_property(c, 0, static_cast<xcb_window_t>(w->winId()), extents, XCB_ATOM_CARDINAL, 0, 4);
    ServerFrame f = ServerFrame::Unsaid;
    if (xcb_get_property_reply_t* p = xcb_get_property_reply(c, cookie, nullptr)) {
        if (p->format == 32 && xcb_get_property_value_length(p) >= 16) {
            const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(p));
            f = (v[0] | v[1] | v[2] | v[3]) ? ServerFrame::Drawn : ServerFrame::Empty;
        }
        std::free(p);
    }
    return f;
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
        if (w_->frameGeometry().topLeft() == p) return;
        ++corrections_;
        MoveNow(w_, p);
    }

    // The frame's place while it is known: where the window goes back to.
    void Remember() {
        if (w_ && w_->isVisible() && Framed()) last_ = w_->frameGeometry().topLeft();
    }

    // Framed once Qt knows a frame. A window manager that draws none leaves
    // Qt's margins empty for good: a shown window it says has an empty frame
    // counts as framed, and so does one it has said nothing of for a while.
    // One it says has a frame Qt does not know yet waits for Qt: placed
    // now, its own area would go where the frame belongs.
    bool Framed() const {
        if (!KnownFrame(w_).isNull()) return true;
        if (!exposed_) return false;
        switch (FrameOnServer(w_)) {
        case ServerFrame::Empty:
        case ServerFrame::NoServer: return true;
        case ServerFrame::Drawn: return false;
        case ServerFrame::Unsaid: return exposedFor_.elapsed() >= kUnsaidFrameMs;
        }
        return false;
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
    const QMargins m = w->windowHandle()->frameMargins();
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
    // keeps a corner given to the widget as the frame's; a shown one knows
    // its frame.
    QWindow* h = w->windowHandle();
    if (h && !w->isVisible() && !Frameless(w)) h->setFramePosition(p);
    else w->move(p);
}

void Hold(QWidget* w, Place place) {
    if (Frameless(w)) {
        w->move(place());
        return;
    }
    const QPoint p = place();
    Keeper::Of(w)->Hold(std::move(place));
    MoveNow(w, p);
}

}  // namespace windowplace
