// The menu check-buttons: a click handler runs whenever a value changes.
#include "Colors.h"
#include "frmMain.h"

void frmMain::ConnectMenu() {
    connect(chkPause, &QPushButton::toggled, this, [this] { chkPause_Click(); });
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
