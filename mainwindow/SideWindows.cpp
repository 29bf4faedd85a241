// The main window's side windows: made hidden on first reference, shown and
// hidden by the menu toggles, closed for good with the main window.
#include <QApplication>
#include <QListWidget>

#include "frmMain.h"
#include "platform/desktop/WindowPlace.h"
#include "platform/desktop/WindowStates.h"
#include "records/frmFuture.h"
#include "records/frmGravloFathers.h"
#include "records/frmStatistic.h"

namespace {
template <class W>
W* Make(QPointer<W>& p, frmMain* main) {
    if (!p) {
        p = new W(main);
        p->setAttribute(Qt::WA_ShowWithoutActivating);  // the keyboard stays on the well
        windowstate::Watch(p, [main, w = p.data()] { main->FollowSideWindow(w); });
    }
    return p;
}
}  // namespace

// The main window's state is the game's. A side window minimised or
// restored by the window system on its own (its title bar, a task bar)
// takes the whole game with it, which the side windows then follow. A
// request of the game's that lands late (the window manager minimising a
// dialog's group and the game refusing it cross), or a minimise while a
// question is open (the question windows refuse it too), gives way to the
// main window's state. Both are read as the window manager has them now:
// Qt hears of its changes late.
void frmMain::FollowSideWindow(QWidget* side) {
    const bool sideMinimized = windowstate::Minimized(side), mainMinimized = windowstate::Minimized(this);
    if (!side->isVisible() || sideMinimized == mainMinimized) return;
    const bool ours = windowstate::AskedMinimized(side) == sideMinimized;
    if (ours || (sideMinimized && QApplication::activeModalWidget())) {
        windowstate::Apply(side,
                           mainMinimized ? windowState() | Qt::WindowMinimized : windowState() & ~Qt::WindowMinimized);
        return;
    }
    windowstate::Apply(this,
                       sideMinimized ? windowState() | Qt::WindowMinimized : windowState() & ~Qt::WindowMinimized);
}

// The main window's state changed at the window manager: every shown side
// window that is not in it yet is brought to it (Qt may not report the
// change at all when it crossed a request of the game's).
void frmMain::FollowMainWindow() {
    const bool minimized = windowstate::Minimized(this);
    for (QWidget* s : {static_cast<QWidget*>(gravloFathers_.data()), static_cast<QWidget*>(statistic_.data()),
                       static_cast<QWidget*>(future_.data())})
        if (s && s->isVisible() && windowstate::Minimized(s) != minimized)
            windowstate::Apply(
                s, minimized ? s->windowState() | Qt::WindowMinimized : s->windowState() & ~Qt::WindowMinimized);
}

frmGravloFathers* frmMain::GravloFathers() { return Make(gravloFathers_, this); }
frmStatistic* frmMain::Statistic() { return Make(statistic_, this); }

frmFuture* frmMain::Future() {
    const bool remade = !future_ && futureMade_;
    const bool made = !future_;
    frmFuture* f = Make(future_, this);
    futureMade_ = true;
    if (made) connect(f, &frmFuture::Closing, this, [this](QPoint p) { futurePlace_ = p; });
    if (remade) {
        // Made again after a user's close: drawn at once, where it was.
        if (futurePlace_) windowplace::MoveFrame(f, *futurePlace_);
        DrawFuture();
    }
    return f;
}

bool frmMain::SideWindowVisible(int which) const {
    switch (which) {
    case 0: return gravloFathers_ && gravloFathers_->isVisible();
    case 1: return statistic_ && statistic_->isVisible();
    case 2: return future_ && future_->isVisible();
    }
    return false;
}

void frmMain::UnloadSideWindows() {
    if (gravloFathers_) delete gravloFathers_.data();
    if (statistic_) delete statistic_.data();
    if (future_) delete future_.data();
}

void frmMain::AddStatistic(const std::string& line) {
    Statistic()->lstStatistic->addItem(QString::fromStdString(line));
}

void frmMain::SelectLastStatistic() {
    QListWidget* l = Statistic()->lstStatistic;
    l->setCurrentRow(l->count() - 1);
    l->scrollToBottom();
}

void frmMain::ClearStatistic() { Statistic()->lstStatistic->clear(); }
