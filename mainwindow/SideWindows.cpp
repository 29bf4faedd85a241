// The main window's side windows: made hidden on first reference, shown and
// hidden by the menu toggles, closed for good with the main window.
#include <QListWidget>

#include "frmMain.h"
#include "platform/desktop/WindowPlace.h"
#include "records/frmFuture.h"
#include "records/frmGravloFathers.h"
#include "records/frmStatistic.h"

namespace {
template <class W>
W* Make(QPointer<W>& p, QWidget* main) {
    if (!p) {
        p = new W(main);
        p->setAttribute(Qt::WA_ShowWithoutActivating);  // the keyboard stays on the well
    }
    return p;
}
}  // namespace

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
