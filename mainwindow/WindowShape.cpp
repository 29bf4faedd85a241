// The main window's shape, its minimise and fixed-size rules, its repaint
// and the drawing scale of the well.
#include <QEvent>
#include <QRegion>
#include <QTimer>
#include <functional>

#include "frmMain.h"
#include "mainwindow/layout/WindowRegion.h"
#include "platform/widgets/Twips.h"
#include "platform/windows/WindowStates.h"
#include "records/frmFuture.h"
#include "records/frmGravloFathers.h"
#include "records/frmStatistic.h"

void frmMain::RebuildWindowRgn() {
    // The direct children in pixels, in control order.
    std::vector<shape::Member> members;
    for (const ControlEntry& e : controls_) {
        shape::Member m;
        m.timer = e.kind == Kind::Timer;
        m.hasHelpText = !e.tag.isEmpty();
        m.label = e.kind == Kind::Label || e.kind == Kind::Bar;
        if (auto* w = qobject_cast<QWidget*>(e.object)) {
            m.left = w->x();
            m.top = w->y();
            m.width = w->width();
            m.height = w->height();
        }
        members.push_back(m);
    }
    const QRect outer = frameGeometry();
    QRegion r;
    for (const shape::Rect& s :
         shape::WindowRegion(twips::FromPixels(outer.width()), twips::FromPixels(outer.height()), members))
        r += QRect(QPoint(s.left, s.top), QPoint(s.right - 1, s.bottom - 1));
    setMask(r);
}

void frmMain::Form_Resize() {
    const Qt::WindowStates state = windowState();
    if (state & Qt::WindowMinimized) {
        if (!chkPause->isChecked()) chkPause->setChecked(true);  // pauses, without a further minimise
    }
    // Only the side windows the player shows take the state. A hidden one
    // is left alone: a window brought back from minimised is mapped by the
    // toolkit whether it is shown or not, and would come back blank. It
    // takes the game's state when its button shows it again. The window
    // manager is asked for the state as it has them, whatever Qt has heard
    // so far. Brought back, they wait until the window manager shows the
    // main window again (the main window's report brings them): a window
    // shown anew while the window it belongs to is still minimised is
    // minimised with it.
    const bool mainStillMinimized = !(state & Qt::WindowMinimized) && windowstate::Minimized(this);
    for (QWidget* s : {static_cast<QWidget*>(gravloFathers_.data()), static_cast<QWidget*>(statistic_.data()),
                       static_cast<QWidget*>(future_.data())}) {
        if (!s || !s->isVisible()) continue;
        if (!(state & Qt::WindowMinimized)) s->setWindowState(Qt::WindowNoState);
        if (!mainStillMinimized) windowstate::Apply(s, state);
    }
    if (!(state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        resize(twips::ToPixels(kOuterWidthTw), twips::ToPixels(kOuterHeightTw));
}

void frmMain::Form_Paint() { DrawNext(); }

void frmMain::Minimize_Window(bool) {
    picGravlok->canvas().SetScale(3760, 7760);
    DrawFigureArea();
    DrawNext();
}

void frmMain::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange) Form_Resize();
}

void frmMain::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

namespace {
// Runs an action whenever a widget is about to paint itself.
class PaintHook : public QObject {
public:
    PaintHook(QWidget* surface, std::function<void()> onPaint) : QObject(surface), onPaint_(std::move(onPaint)) {
        surface->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) onPaint_();
        return false;
    }

private:
    std::function<void()> onPaint_;
};
}  // namespace

// The client area is the window's own surface: whenever it repaints, so does
// the preview.
void frmMain::InstallRepaint() {
    new PaintHook(client, [this] {
        Form_Paint();
        // The side windows come once the main window is drawn on the screen.
        if (sidesWaiting_.waiting) QTimer::singleShot(0, this, [this] { MakeSideWindows(); });
    });
}
