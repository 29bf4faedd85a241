// The end of a game: the result into the hall of fame, then the question of
// a new game.
#include <QApplication>

#include "frmEnterName.h"
#include "frmGameOver.h"
#include "frmHelp.h"
#include "mainwindow/frmMain.h"

void frmMain::EndOfGame(int32_t score) {
    tmrDemo->SetEnabled(false);  // 1
    // From here on a failing step is skipped and the next one runs.          // 2
    for (QWidget* w : QApplication::topLevelWidgets()) {  // 3, 4
        const QString n = w->objectName();
        if (!w->isVisible()) continue;
        if (auto* help = qobject_cast<frmHelp*>(w)) help->Unload();  // the help tour goes on after the end of game
        else if (n == "frmOpen" || n == "frmSettings") w->close();
    }
    InsertRecord(score);   // 5
    FillHallOfFameList();  // 6
    SaveHallOfFame();
    if (endAsked_ != EndAsked::None) return;  // ended during the save
    bool again = false;                       // 7
    {
        frmGameOver dlg(this);
        dlg.exec();
        again = dlg.blnContinue;
    }
    if (again) {  // 8
        lngScore = 0;
        iSpeed = 0;
        ClearHallOfFame();
        Form_Load();
    } else {
        ExitProgram(0);  // 9
    }
}

std::string frmMain::AskPlayerName() {
    tmrDemo->SetEnabled(false);
    QString name;
    {
        frmEnterName dlg(this, &bCancelRecord);
        bCancelRecord = true;  // only Ok clears it
        dlg.exec();
        name = dlg.PlayerName;
    }
    if (name.isEmpty()) return Clock().ShortDate();
    return hof::OneRowName(name.toStdString());  // whatever reached the field, one row
}
