// The main window's side windows: made hidden on first reference, shown and
// hidden by the menu toggles, closed for good with the main window.
#include <QApplication>
#include <QListWidget>

#include "frmMain.h"
#include "platform/windows/WindowPlace.h"
#include "platform/windows/WindowStates.h"
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
// takes the whole game with it, which the side windows then follow; but a
// minimise while a question is open gives way (the question windows refuse
// it too). A report on a request of the game's still on its way says
// nothing; an answer to one the game has since changed its mind on is
// brought to the game's state, which is where the main window is headed.
void frmMain::FollowSideWindow(QWidget* side) {
    if (!side->isVisible()) return;
    const windowstate::Report report = windowstate::Classify(side);
    const bool sideMinimized = windowstate::Minimized(side), game = windowstate::HeadedMinimized(this);
    if (report == windowstate::Report::OnItsWay || sideMinimized == game) return;
    const auto gameState = [&](QWidget* w, bool minimized) {
        windowstate::Apply(w, windowstate::WithMinimized(windowState(), minimized));
    };
    if (report == windowstate::Report::Answer || (sideMinimized && QApplication::activeModalWidget()))
        gameState(side, game);
    else gameState(this, sideMinimized);
}

// The main window's state changed at the window manager. Changed on its own
// (a task bar, its title bar), the game takes it, and the side windows with
// it. Every shown side window not asked for the main window's state yet
// is brought to it (Qt may not report a change that crossed a request).
void frmMain::FollowMainWindow() {
    const windowstate::Report report = windowstate::Classify(this);
    if (report == windowstate::Report::OnItsWay) return;
    const bool minimized = windowstate::Minimized(this);
    if (report == windowstate::Report::OwnChange)
        windowstate::Apply(this, windowstate::WithMinimized(windowState(), minimized));
    for (QWidget* s : {static_cast<QWidget*>(gravloFathers_.data()), static_cast<QWidget*>(statistic_.data()),
                       static_cast<QWidget*>(future_.data())})
        if (s && s->isVisible() && windowstate::AskedMinimized(s) != minimized)
            windowstate::Apply(s, windowstate::WithMinimized(s->windowState(), minimized));
    if (!minimized) KeyboardBackToGame();
}

// Back in view, the game has the keyboard, whichever of its windows the
// window manager made active. A side window activated while the game was
// still minimised could not hand it over then (to activate the main window
// is to restore it), and a window manager that activates the window a task
// bar names, or none after a plain map, does not move it on itself: a side
// window would keep the keyboard and no key would reach the game. A question
// or the settings window keeps it; so does another program's window (the
// window manager's rules on activation decide, if it asks for it again).
void frmMain::KeyboardBackToGame() {
    if (!isVisible()) return;
    QWidget* active = QApplication::activeWindow();
    const bool side = active && (active == gravloFathers_ || active == statistic_ || active == future_);
    if (active == this || (active && !side) || QApplication::activeModalWidget()) return;
    activateWindow();
    raise();
}

frmGravloFathers* frmMain::GravloFathers() {
    const bool made = !gravloFathers_;
    frmGravloFathers* g = Make(gravloFathers_, this);
    if (made) CatchUpSideWindow(0, g);
    return g;
}

frmStatistic* frmMain::Statistic() {
    const bool made = !statistic_;
    frmStatistic* s = Make(statistic_, this);
    if (made) CatchUpSideWindow(1, s);
    return s;
}

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
    if (made && !remade) CatchUpSideWindow(2, f);
    return f;
}

QWidget* frmMain::MadeSideWindow(int which) const {
    switch (which) {
    case 0: return gravloFathers_;
    case 1: return statistic_;
    case 2: return future_;
    }
    return nullptr;
}

QWidget* frmMain::SideWindow(int which) {
    switch (which) {
    case 0: return GravloFathers();
    case 1: return Statistic();
    case 2: return Future();
    }
    return nullptr;
}

void frmMain::CatchUpSideWindow(int which, QWidget* w) {
    SideWindowsWaiting& s = sidesWaiting_;
    if (!s.waiting) return;
    if (which == 0 && s.fillHall) {
        s.fillHall = false;
        FillHallOfFameList();
    }
    if (which == 2) DrawFuture();  // the queue as it stands now
    const auto i = static_cast<size_t>(which);
    if (s.place[i]) windowplace::MoveFrame(w, *s.place[i]);  // placed before it shows
    if (s.shown[i]) w->setVisible(true);
    s.place[i].reset();
    s.shown[i] = false;
}

void frmMain::ApplySideWindowSettings(int which, QPoint place, bool shown) {
    if (SideWaits(MadeSideWindow(which))) {
        sidesWaiting_.shown[static_cast<size_t>(which)] = shown;
        sidesWaiting_.place[static_cast<size_t>(which)] = shown ? std::optional<QPoint>(place) : std::nullopt;
        return;
    }
    QWidget* w = SideWindow(which);
    // Placed before it shows: the place is the outer corner the file keeps.
    if (shown) windowplace::MoveFrame(w, place);
    ShowInGameState(w, shown);
}

void frmMain::ShowSideWindow(int which, bool shown) {
    if (SideWaits(MadeSideWindow(which))) sidesWaiting_.shown[static_cast<size_t>(which)] = shown;
    else ShowInGameState(SideWindow(which), shown);
}

// A hidden side window takes no state (see Form_Resize): shown again, it
// takes the game's first.
void frmMain::ShowInGameState(QWidget* w, bool shown) {
    if (shown && !w->isVisible()) {
        const bool minimized = windowstate::HeadedMinimized(this);
        if (static_cast<bool>(w->windowState() & Qt::WindowMinimized) != minimized)
            windowstate::Apply(w, windowstate::WithMinimized(w->windowState(), minimized));
    }
    w->setVisible(shown);
}

void frmMain::MakeSideWindows() {
    if (!sidesWaiting_.waiting) return;
    for (int which = 0; which < 3; ++which) SideWindow(which);
    sidesWaiting_.waiting = false;
}

bool frmMain::SideWindowVisible(int which) const {
    if (const QWidget* w = MadeSideWindow(which)) return w->isVisible();
    return sidesWaiting_.waiting && sidesWaiting_.shown[static_cast<size_t>(which)];
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

void frmMain::ClearStatistic() {
    if (SideWaits(statistic_)) return;  // it is made empty
    Statistic()->lstStatistic->clear();
}
