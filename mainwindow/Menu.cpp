// The menu check-buttons: a click handler runs whenever a value changes.
#include <functional>

#include "Colors.h"
#include "frmMain.h"
#include "platform/widgets/Twips.h"
#include "platform/windows/WindowPlace.h"
#include "platform/windows/WindowStates.h"
#include "records/frmFuture.h"
#include "records/frmGravloFathers.h"
#include "records/frmStatistic.h"
#include "sound/settingswindow/frmSettings.h"

void frmMain::ConnectMenu() {
    connect(chkPause, &QPushButton::toggled, this, [this] { chkPause_Click(); });
    connect(chkRec, &QPushButton::toggled, this, [this] { chkRec_Click(); });
    connect(chkStat, &QPushButton::toggled, this, [this] { chkStat_Click(); });
    connect(chkFuture, &QPushButton::toggled, this, [this] { chkFuture_Click(); });
    // A click toggles the value first, then the release handler runs.
    connect(chkRec, &QPushButton::released, this, [this] { chkRec_MouseUp(); });
    connect(chkStat, &QPushButton::released, this, [this] { chkStat_MouseUp(); });
    connect(chkFuture, &QPushButton::released, this, [this] { chkFuture_MouseUp(); });
    connect(chkSet, &QPushButton::toggled, this, [this] { chkSet_Click(); });
    connect(chkHelp, &QPushButton::toggled, this, [this] { chkHelp_Click(); });
    connect(chkDemo, &QPushButton::toggled, this, [this] { chkDemo_Click(); });
    connect(chkAuto, &QPushButton::toggled, this, [this] { chkAuto_Click(); });
    connect(chkAuto, &QPushButton::released, this, [this] { chkAuto_MouseUp(); });
    connect(tmrMigMenuControls, &WindowTimer::Tick, this, [this] { tmrMigMenuControls_Timer(); });
}

void frmMain::chkPause_Click() {
    if (chkPause->isChecked()) {
        fraControl->setVisible(false);
        tmrDown->SetEnabled(false);
        bRunning = false;
        if (bEscPause) windowstate::Apply(this, windowState() | Qt::WindowMinimized);
    } else {
        fraControl->setVisible(true);
        tmrDown->SetEnabled(true);
        bRunning = true;
        windowstate::Apply(this, windowState() & ~Qt::WindowMinimized);
        activateWindow();
    }
    bEscPause = false;
    DrawFigureArea();
    DrawNext();
    picGravlok->setFocus();
}

// The settings window, modal; the button pops up again after it.
void frmMain::chkSet_Click() {
    if (chkSet->isChecked()) {
        frmSettings dlg(this);
        dlg.exec();
    }
    chkSet->setChecked(false);
    DrawWell();  // the landing-shadow mode may have changed
    DrawGrid();
    DrawFigureArea();
    picGravlok->setFocus();
}

// Show or hide a side window to match its button.
void frmMain::chkRec_Click() { ShowSideWindow(0, chkRec->isChecked()); }
void frmMain::chkStat_Click() { ShowSideWindow(1, chkStat->isChecked()); }
void frmMain::chkFuture_Click() { ShowSideWindow(2, chkFuture->isChecked()); }

// Docks the three side windows beside the main window, all in outer
// coordinates: the future window at its top right corner, the statistic
// window right of that, the hall of fame level with its bottom edge.
void frmMain::chkAuto_Click() {
    if (!chkAuto->isChecked()) return;
    const QRect m = windowplace::FrameRect(this);
    const double mainLeft = twips::FromPixels(m.x()), mainTop = twips::FromPixels(m.y());
    const double mainWidth = twips::FromPixels(m.width()), mainHeight = twips::FromPixels(m.height());
    auto px = [](double tw) { return twips::ToPixels(tw); };
    auto dock = [](QWidget* w, QPoint place) {
        w->setWindowState(Qt::WindowNoState);
        windowplace::MoveFrame(w, place);
        w->show();
        w->raise();
    };
    frmGravloFathers* hall = GravloFathers();
    const double hallHeight = twips::FromPixels(windowplace::FrameSize(hall).height());
    dock(hall, QPoint(px(mainLeft + mainWidth + 20), px(mainTop + mainHeight - hallHeight)));
    chkRec->setChecked(true);
    // A future window the player closed is made again here, not yet framed:
    // its outer width is its size with the desktop's frame.
    const double futureWidth = twips::FromPixels(windowplace::FrameSize(Future()).width());
    dock(Statistic(), QPoint(px(mainLeft + mainWidth + futureWidth + 40), px(mainTop)));
    chkStat->setChecked(true);
    dock(Future(), QPoint(px(mainLeft + mainWidth + 20), px(mainTop)));
    chkFuture->setChecked(true);
}

// Auto is momentary: up again as soon as the mouse lets go.
void frmMain::chkAuto_MouseUp() {
    chkAuto->setChecked(false);
    picGravlok->setFocus();
}

void frmMain::chkRec_MouseUp() { picGravlok->setFocus(); }
void frmMain::chkStat_MouseUp() { picGravlok->setFocus(); }
void frmMain::chkFuture_MouseUp() { picGravlok->setFocus(); }

// The blink run over the four menu buttons, one after the other.
void frmMain::tmrMigMenuControls_Timer() {
    const Rgb green = RGB(0, 255, 0);
    switch (iMigStep) {
    case 0:
        SetBackColor(chkPause, green);
        iMigStep = 1;
        break;
    case 1:
        SetBackColor(chkPause, lngPauseBackColor);
        SetBackColor(chkHelp, green);
        iMigStep = 2;
        break;
    case 2:
        SetBackColor(chkHelp, lngPauseBackColor);
        SetBackColor(chkDemo, green);
        iMigStep = 3;
        break;
    case 3:
        SetBackColor(chkDemo, lngPauseBackColor);
        SetBackColor(chkSet, green);
        iMigStep = 4;
        break;
    default:
        SetBackColor(chkSet, lngPauseBackColor);
        iMigStep = 0;
        tmrMigMenuControls->SetEnabled(false);
        break;
    }
}
