#pragma once
// The question after a game: start a new one?
#include <QLabel>
#include <QPushButton>
#include "platform/widgets/NoEscapeDialog.h"

class frmGameOver : public NoEscapeDialog {
    Q_OBJECT
public:
    explicit frmGameOver(QWidget* mainWindow);

    bool blnContinue = false;

    QLabel* lblGameOver;
    QLabel* lblNewGame;
    QPushButton* cmdYes;
    QPushButton* cmdNo;

    void cmdYes_Click();
    void cmdNo_Click();
};
