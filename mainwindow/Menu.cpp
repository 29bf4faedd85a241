// The menu check-buttons: a click handler runs whenever a value changes.
#include "Colors.h"
#include "frmMain.h"
#include "records/frmFuture.h"
#include "records/frmGravloFathers.h"
#include "records/frmStatistic.h"
#include "sound/frmSettings.h"

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
    connect(tmrMigMenuControls, &VbTimer::Tick, this, [this] { tmrMigMenuControls_Timer(); });
}

void frmMain::chkPause_Click() {
    if (chkPause->isChecked()) {
        fraControl->setVisible(false);
        tmrDown->SetEnabled(false);
        bRunning = false;
        if (bEscPause) showMinimized();
    } else {
        fraControl->setVisible(true);
        tmrDown->SetEnabled(true);
        bRunning = true;
        if (isMinimized()) showNormal();
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
void frmMain::chkRec_Click() { GravloFathers()->setVisible(chkRec->isChecked()); }
void frmMain::chkStat_Click() { Statistic()->setVisible(chkStat->isChecked()); }
void frmMain::chkFuture_Click() { Future()->setVisible(chkFuture->isChecked()); }

void frmMain::chkRec_MouseUp() { picGravlok->setFocus(); }
void frmMain::chkStat_MouseUp() { picGravlok->setFocus(); }
void frmMain::chkFuture_MouseUp() { picGravlok->setFocus(); }

// The blink run over the four menu buttons, one after the other.
void frmMain::tmrMigMenuControls_Timer() {
    const Rgb green = RGB(0, 255, 0);
    switch (iMigStep) {
    case 0: SetBackColor(chkPause, green); iMigStep = 1; break;
    case 1: SetBackColor(chkPause, lngPauseBackColor); SetBackColor(chkHelp, green); iMigStep = 2; break;
    case 2: SetBackColor(chkHelp, lngPauseBackColor); SetBackColor(chkDemo, green); iMigStep = 3; break;
    case 3: SetBackColor(chkDemo, lngPauseBackColor); SetBackColor(chkSet, green); iMigStep = 4; break;
    default:
        SetBackColor(chkSet, lngPauseBackColor);
        iMigStep = 0;
        tmrMigMenuControls->SetEnabled(false);
        break;
    }
}
