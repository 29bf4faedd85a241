#include "WindowStates.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <cstdlib>

#include "RequestOrder.h"
#include "X11.h"

namespace windowstate {
namespace {
constexpr uint32_t kNormalState = 1, kIconicState = 3;  // ICCCM WM_STATE and WM_CHANGE_STATE
// A request the window manager has not answered for this long was refused
// or lost: what it shows is its own again.
constexpr qint64 kAnswerWithinMs = 5000;

struct Native {
    bool known = false;   // on X11 and the window manager shows the window normal or minimised
    bool iconic = false;  // WM_STATE Iconic
    bool mapped = false;  // the window itself is mapped
};

Native Read(const QWidget* w) {
    Native n;
    xcb_connection_t* c = x11::Connection();
    if (!c || !w->windowHandle() || !w->windowHandle()->handle()) return n;
    static const xcb_atom_t wmState = x11::Atom("WM_STATE");
    const auto id = static_cast<xcb_window_t>(w->winId());
    const auto propertyCookie = xcb_get_property(c, 0, id, wmState, wmState, 0, 2);
    const auto attributesCookie = xcb_get_window_attributes(c, id);
    if (xcb_get_property_reply_t* p = xcb_get_property_reply(c, propertyCookie, nullptr)) {
        if (p->format == 32 && xcb_get_property_value_length(p) >= 4) {
            // Withdrawn (a window being hidden and shown anew) says nothing.
            const uint32_t state = *static_cast<const uint32_t*>(xcb_get_property_value(p));
            n.known = state == kNormalState || state == kIconicState;
            n.iconic = state == kIconicState;
        }
        std::free(p);
    }
    if (xcb_get_window_attributes_reply_t* a = xcb_get_window_attributes_reply(c, attributesCookie, nullptr)) {
        n.mapped = a->map_state != XCB_MAP_STATE_UNMAPPED;
        std::free(a);
    }
    return n;
}

// ICCCM's minimise request.
void AskIconic(const QWidget* w) {
    static const xcb_atom_t changeState = x11::Atom("WM_CHANGE_STATE");
    x11::AskWindowManager(static_cast<xcb_window_t>(w->winId()), changeState, {kIconicState});
}

// EWMH's request to bring a window forward, sent as a task bar sends it:
// a minimised window is restored in view, wherever it was kept.
void AskActive(const QWidget* w) {
    static const xcb_atom_t active = x11::Atom("_NET_ACTIVE_WINDOW");
    constexpr uint32_t kFromTaskBar = 2;
    x11::AskWindowManager(static_cast<xcb_window_t>(w->winId()), active, {kFromTaskBar});
}

// Calls back when the window system changes a window's state. On X11 that
// is every change of its WM_STATE property, read off the event stream:
// Qt folds a state it heard into the one it had, so a window minimised,
// restored and minimised again by the window manager in quick turns may
// report nothing. Elsewhere, Qt's own spontaneous state changes.
class Watcher : public QObject, public QAbstractNativeEventFilter {
public:
    static constexpr const char* kName = "windowstate.watcher";
    Watcher(QWidget* w, std::function<void()> changed) : QObject(w), w_(w), changed_(std::move(changed)) {
        setObjectName(kName);
        if (x11::Connection()) {
            wmState_ = x11::Atom("WM_STATE");
            qApp->installNativeEventFilter(this);
        } else {
            w->installEventFilter(this);
        }
    }
    ~Watcher() override { qApp->removeNativeEventFilter(this); }

    void Changed() { changed_(); }

    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::WindowStateChange && e->spontaneous()) changed_();
        return false;
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* e = static_cast<const xcb_generic_event_t*>(message);
        if ((e->response_type & ~0x80) != XCB_PROPERTY_NOTIFY) return false;
        const auto* p = reinterpret_cast<const xcb_property_notify_event_t*>(e);
        if (p->atom != wmState_ || !w_->windowHandle() || !w_->windowHandle()->handle() ||
            p->window != static_cast<xcb_window_t>(w_->winId()))
            return false;
        // After Qt has taken the event in: nothing is changed under its feet.
        QMetaObject::invokeMethod(
            this, [this] { changed_(); }, Qt::QueuedConnection);
        return false;
    }

private:
    QWidget* w_;
    std::function<void()> changed_;
    xcb_atom_t wmState_ = XCB_ATOM_NONE;
};
}  // namespace

bool Minimized(const QWidget* w) {
    const Native n = Read(w);
    return n.known ? n.iconic : w->isMinimized();
}

// The program's last request of a window, kept with it: minimised or not,
// when it was asked, and whether the window manager has shown that state
// since.
constexpr const char* kAsked = "windowstate.askedMinimized";
constexpr const char* kAskedAt = "windowstate.askedAt";
constexpr const char* kAnswered = "windowstate.answered";

qint64 Now() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

bool AskedMinimized(const QWidget* w) {
    const QVariant asked = w->property(kAsked);
    return asked.isValid() ? asked.toBool() : w->isMinimized();
}

// Whether the last request has been answered, or waited for long enough.
bool Answered(const QWidget* w) {
    const QVariant answered = w->property(kAnswered);
    return !answered.isValid() || answered.toBool() || Now() - w->property(kAskedAt).toLongLong() > kAnswerWithinMs;
}

Report Classify(QWidget* w) {
    const Native n = Read(w);
    if (!n.known && x11::Connection()) return Report::OnItsWay;  // withdrawn, or not shown
    if ((n.known ? n.iconic : w->isMinimized()) == AskedMinimized(w)) {
        w->setProperty(kAnswered, true);
        return Report::Answer;
    }
    return Answered(w) ? Report::OwnChange : Report::OnItsWay;
}

bool HeadedMinimized(const QWidget* w) {
    if (!Answered(w)) return AskedMinimized(w);
    const Native n = Read(w);  // a round trip to the X server: only when it decides
    return n.known ? n.iconic : x11::Connection() ? AskedMinimized(w) : w->isMinimized();
}

namespace {
// Asks the window manager for the state where its word `n` differs and Qt
// sends nothing itself.
void Ask(QWidget* w, bool minimise, const Native& n, bool qtAsks) {
    if (minimise && !n.iconic && !qtAsks) {
        AskIconic(w);
    } else if (!minimise && n.iconic) {
        if (n.mapped) {
            // Kept mapped while minimised: a map is nothing there. It is
            // brought forward as a task bar would (shown anew instead, it
            // is taken for a window that was minimised before it went). A
            // window that leaves the keyboard where it was gives it back to
            // the window it belongs to.
            AskActive(w);
            if (w->testAttribute(Qt::WA_ShowWithoutActivating) && w->parentWidget())
                AskActive(w->parentWidget()->window());
        } else if (!qtAsks) {
            xcb_map_window(x11::Connection(), static_cast<xcb_window_t>(w->winId()));
            xcb_flush(x11::Connection());
        }
    }
}

// A window manager busy with the window (showing it anew) may drop a
// request: one still unanswered a moment later is asked again, once. That
// is judged once the program has taken in every event up to then. A window
// the window manager has changed twice or more since the request and still
// shows otherwise had its answer: it came and went before the program read
// it (the player undid it at once, or the program was too busy to hear of
// it). What it shows is then the window system's own word, taken as any.
constexpr int kAskAgainMs = 1000;

// Has the window's watcher take in the window manager's word anew.
void TellWatcher(QWidget* w) {
    if (auto* watcher = static_cast<Watcher*>(w->findChild<QObject*>(Watcher::kName, Qt::FindDirectChildrenOnly)))
        watcher->Changed();
}
}  // namespace

void Apply(QWidget* w, Qt::WindowStates state) {
    const bool minimise = state & Qt::WindowMinimized;
    // Qt sends a request of its own only for a change its copy shows.
    const bool qtAsks = w->isMinimized() != minimise;
    const Native n = w->isVisible() ? Read(w) : Native{};
    // The same request still on its way is not sent again.
    const bool onItsWay = AskedMinimized(w) == minimise && !Answered(w);
    w->setProperty(kAsked, minimise);
    if (!onItsWay) {
        w->setProperty(kAskedAt, Now());
        w->setProperty(kAnswered, !n.known || n.iconic == minimise);
    }
    w->setWindowState(state);
    if (!n.known || onItsWay) return;
    Ask(w, minimise, n, qtAsks);
    order::MarkRequest(w);
    const qint64 askedAt = w->property(kAskedAt).toLongLong();
    // Asked anew since, or answered (what it shows now may be the player's).
    const auto settled = [w, askedAt] {
        return w->property(kAskedAt).toLongLong() != askedAt || w->property(kAnswered).toBool() || !w->isVisible();
    };
    QTimer::singleShot(kAskAgainMs, w, [w, minimise, settled] {
        if (settled()) return;
        order::WhenCaughtUp(w, [w, minimise, settled](int changes) {
            if (settled()) return;
            const Native now = Read(w);
            if (!now.known || now.iconic == minimise) return;
            if (changes < 2) {
                Ask(w, minimise, now, false);
                return;
            }
            w->setProperty(kAnswered, true);
            TellWatcher(w);
        });
    });
}

void Watch(QWidget* w, std::function<void()> changed) {
    // A window is watched from when it is made: what it is made in is the
    // program's word on it. Were Qt's word taken later instead, a window
    // made anew would take its first minimise by the window system for the
    // answer to a request of the program's, and undo it.
    if (!w->property(kAsked).isValid()) {
        w->setProperty(kAsked, w->isMinimized());
        w->setProperty(kAnswered, true);
    }
    new Watcher(w, std::move(changed));
}

}  // namespace windowstate
