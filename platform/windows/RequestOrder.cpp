#include "RequestOrder.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>
#include <QWindow>
#include <utility>
#include <vector>

#include "X11.h"

namespace windowstate::order {
namespace {
xcb_atom_t MarkAtom() {
    static const xcb_atom_t a = x11::Atom("_WINDOWSTATE_REQUEST");
    return a;
}
xcb_atom_t StateAtom() {
    static const xcb_atom_t a = x11::Atom("WM_STATE");
    return a;
}

// A window's marks and the window manager's changes after the last one,
// kept with the window. Marks are numbered as they are written; the X
// server reports them in that order, each once, so the n-th report taken in
// is mark n.
class Marks : public QObject {
public:
    static constexpr const char* kName = "windowstate.marks";
    explicit Marks(QWidget* w) : QObject(w) { setObjectName(kName); }
    xcb_window_t id = XCB_WINDOW_NONE;                                   // the native window the numbers are of
    uint32_t written = 0, seen = 0;                                      // marks written, and their reports taken in
    uint32_t request = 0;                                                // the last request's mark
    int changes = 0;                                                     // state changes since that mark was seen
    std::vector<std::pair<uint32_t, std::function<void(int)>>> waiting;  // for a mark

    int Changes() const { return seen >= request ? changes : 0; }

    // Calls back, from the event loop, everything that waited for a mark up
    // to `mark`.
    void CatchUp(uint32_t mark) {
        for (auto it = waiting.begin(); it != waiting.end();) {
            if (it->first > mark) {
                ++it;
                continue;
            }
            QMetaObject::invokeMethod(
                this, [this, then = std::move(it->second)] { then(Changes()); }, Qt::QueuedConnection);
            it = waiting.erase(it);
        }
    }
};

// Found by name: a class of its own is not told apart from QObject by
// findChild without the meta-object compiler.
Marks* MarksOf(const QWidget* w) {
    return static_cast<Marks*>(w->findChild<QObject*>(Marks::kName, Qt::FindDirectChildrenOnly));
}

// Takes in, in the order the X server sent them, the reports of every
// window's marks and state changes.
class EventOrder : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* e = static_cast<const xcb_generic_event_t*>(message);
        if ((e->response_type & ~0x80) != XCB_PROPERTY_NOTIFY) return false;
        const auto* p = reinterpret_cast<const xcb_property_notify_event_t*>(e);
        if (p->atom != MarkAtom() && p->atom != StateAtom()) return false;
        QWidget* w = QWidget::find(p->window);
        Marks* m = w ? MarksOf(w) : nullptr;
        if (!m || m->id != p->window) return false;
        if (p->atom == StateAtom()) {
            // Withdrawn (hidden by the program): whatever was asked is moot.
            if (p->state == XCB_PROPERTY_DELETE) m->changes = 0;
            else ++m->changes;
            return false;
        }
        const uint32_t mark = ++m->seen;
        if (mark == m->request) m->changes = 0;
        m->CatchUp(mark);
        return false;
    }
};

// The window's marks, made on first use (with the filter that counts them),
// for its native window as it is now; nothing off X11 or before the native
// window is made.
Marks* MarksFor(QWidget* w) {
    if (!x11::Connection() || !w->windowHandle() || !w->windowHandle()->handle()) return nullptr;
    static EventOrder* filter = [] {
        auto* f = new EventOrder;
        qApp->installNativeEventFilter(f);
        return f;
    }();
    (void)filter;
    Marks* m = MarksOf(w);
    if (!m) m = new Marks(w);
    const auto id = static_cast<xcb_window_t>(w->internalWinId());
    if (m->id != id) {
        // A native window made anew: the old one's marks will never be seen.
        m->id = id;
        m->written = m->seen = m->request = 0;
        m->changes = 0;
        m->CatchUp(UINT32_MAX);
    }
    return m;
}

uint32_t WriteMark(Marks* m) {
    const uint32_t mark = ++m->written;
    xcb_connection_t* c = x11::Connection();
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m->id, MarkAtom(), XCB_ATOM_CARDINAL, 32, 1, &mark);
    xcb_flush(c);
    return mark;
}
}  // namespace

void MarkRequest(QWidget* w) {
    if (Marks* m = MarksFor(w)) m->request = WriteMark(m);
}

void WhenCaughtUp(QWidget* w, std::function<void(int)> then) {
    Marks* m = MarksFor(w);
    if (!m) {
        QMetaObject::invokeMethod(
            w, [then = std::move(then)] { then(0); }, Qt::QueuedConnection);
        return;
    }
    m->waiting.emplace_back(WriteMark(m), std::move(then));
}

}  // namespace windowstate::order
