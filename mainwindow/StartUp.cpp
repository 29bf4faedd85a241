// The start-up routine of the main window, which also starts every new game.
#include <QCoreApplication>
#include <QDir>

#include "Colors.h"
#include "frmMain.h"
#include "platform/folders/ProgramFolder.h"
#include "platform/runtime/Arithmetic.h"
#include "platform/runtime/StartupSteps.h"

void frmMain::Form_Load() {
    QDir::setCurrent(ProgramFolder());          // 1
    lngPauseBackColor = BackColorOf(chkPause);  // 2
    chkDemo->setChecked(false);                 // 3
    tmrDemo->SetEnabled(false);
    iLevel = 0;  // 4
    lblRemain->setText("");
    ::SetForeColor(lblLevel, QBColor(1));  // 5
    lblLevel->setText("Level # 0");
    lblPosition->setText("");  // 6
    lblNextPlace->setText("");
    lblNextPlace->setVisible(true);
    arrC = FigureGrid{};  // 7
    arrNext = FigureGrid{};
    arrWell.ReDim(22, 34);
    iWellMaxX = static_cast<uint8_t>(arrWell.UBoundCol());
    iWellMaxY = static_cast<uint8_t>(arrWell.UBoundRow());
    iFigX = 18 / 2;  // 8
    iFigY = 0;
    SetBackColor(client, 0);                                                  // 9
    WarmUp(Clock().Seconds() * 2 + 1);                                        // 10
    ColorButtons = QBColor(arith::FloorToInt32(Random().Rnd() * 15.0f) + 1);  // 11
    for (QPushButton* b : {cmdDown, cmdLeftRight[0], cmdLeftRight[2], cmdRotate[0], cmdSpace})
        SetBackColor(b, ColorButtons);
    if (!chkPause->isChecked()) tmrDown->SetEnabled(true);                            // 12
    lngLineCounts.fill(0);                                                            // 13
    lblScore->setText("---");                                                         // 14
    bRunning = true;                                                                  // 15
    for (int m = 1; m <= 4; ++m) lblCountLines[static_cast<size_t>(m)]->setText("");  // 16
    Minimize_Window(true);                                                            // 17
    iCellCount = 0;                                                                   // 18
    iFigureNo = 0;
    iLevelLines = 0;
    lblPause->move(fraControl->pos());  // 19
    for (int s = 1; s <= 5; ++s) {      // 20
        arrQueue[s].strShape = NextFigure();
        arrQueue[s].lngBonus = lngNewBonus;
        arrQueue[s].bSpecial = bNewSpecial;
    }
    Initialize_Array_For_Zunbel(arrC, arrQueue[1].strShape);  // 21
    Initialize_Array_For_Zunbel(arrNext, arrQueue[2].strShape);
    AnnounceNext();
    startupsteps::Mark("Form_Load: the well and the queue");
    LoadHallOfFame();  // 22
    FillHallOfFameList();
    startupsteps::Mark("Form_Load: the hall of fame read");
    iHallCount = static_cast<int16_t>(HallOfFameRows());  // 23
    iPlace = iHallCount;
    ClearStatistic();                  // 24
    ::SetForeColor(lblScore, 0xFFFF);  // 25
    lngGravlokBonus = 0;               // 26
    lblSumBonus->setText("");
    lngTimeBonusTotal = 0;  // 27
    DrawWell();             // 28
    DrawFigureArea();
    DrawGrid();
    DrawNext();
    cmdDown->setEnabled(true);                                                     // 29
    bDropping = false;                                                             // 30
    if (iPlace < 99) lblPosition->setText(QString("Place # %1").arg(iPlace + 1));  // 31
    DrawFuture();                                                                  // 32
    startupsteps::Mark("Form_Load: the pictures drawn");
    if (!bSoundReady) {  // 33
        CreateSoundChannels();
        startupsteps::Mark("Form_Load: the sound channels made");
        LoadSettings();
        startupsteps::Mark("Form_Load: the settings read");
        ForLoop = SpeedChange != 0 ? -5000 : 0;
        iPanStep = 1;
        bSoundReady = true;
    }
    chkRec->setChecked(SideWindowVisible(0));  // 34
    chkStat->setChecked(SideWindowVisible(1));
    chkFuture->setChecked(SideWindowVisible(2));
    RebuildWindowRgn();  // 35
}
