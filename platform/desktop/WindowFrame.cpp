#include "WindowFrame.h"

#include <xcb/xcb.h>

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <cstring>

namespace windowframe {
namespace {
xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(r);
    return a;
}

// Off the task bar and the pager: the window states are written before the
// window is mapped; Qt adds its own (modal) to them when it maps it.
void SkipTaskBar(QWidget* w) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return;
    xcb_connection_t* c = x11->connection();
    static const xcb_atom_t property = Atom(c, "_NET_WM_STATE");
    static const xcb_atom_t states[] = {Atom(c, "_NET_WM_STATE_SKIP_TASKBAR"), Atom(c, "_NET_WM_STATE_SKIP_PAGER")};
    const xcb_window_t id = static_cast<xcb_window_t>(w->winId());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, property, XCB_ATOM_ATOM, 32, 2, states);
    xcb_flush(c);
}

class DialogGuard : public QObject {
public:
    explicit DialogGuard(QWidget* w) : QObject(w), w_(w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) SkipTaskBar(w_);
        if (e->type() == QEvent::WindowStateChange && (w_->windowState() & Qt::WindowMinimized)) {
            // Refused: back at once, and the window it belongs to with it.
            QTimer::singleShot(0, w_, [w = w_] {
                if (QWidget* owner = w->parentWidget() ? w->parentWidget()->window() : nullptr)
                    if (owner->isMinimized()) owner->showNormal();
                w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
                w->show();
                w->raise();
                w->activateWindow();
            });
        }
        return false;
    }

private:
    QWidget* w_;
};
}  // namespace

void FixedDialog(QWidget* w) {
    w->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                      Qt::MSWindowsFixedSizeDialogHint);
    new DialogGuard(w);
}

void SideWindow(QWidget* w) {
    w->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                      Qt::WindowCloseButtonHint);
}

}  // namespace windowframe
