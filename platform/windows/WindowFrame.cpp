#include "WindowFrame.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include "WindowStates.h"
#include "X11.h"

namespace windowframe {
namespace {
// Off the task bar and the pager: the window states are written before the
// window is mapped; Qt adds its own (modal) to them when it maps it.
void SkipTaskBar(QWidget* w) {
    xcb_connection_t* c = x11::Connection();
    if (!c) return;
    static const xcb_atom_t property = x11::Atom("_NET_WM_STATE");
    static const xcb_atom_t states[] = {x11::Atom("_NET_WM_STATE_SKIP_TASKBAR"), x11::Atom("_NET_WM_STATE_SKIP_PAGER")};
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
            // Refused: back at once, and the window it belongs to with it
            // (window managers minimise a dialog's whole group), as the
            // window manager has them, not as Qt has heard so far.
            QTimer::singleShot(0, w_, [w = w_] {
                if (QWidget* owner = w->parentWidget() ? w->parentWidget()->window() : nullptr)
                    if (owner->isMinimized() || windowstate::Minimized(owner))
                        windowstate::Apply(owner, owner->windowState() & ~Qt::WindowMinimized);
                windowstate::Apply(w, w->windowState() & ~Qt::WindowMinimized);
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
