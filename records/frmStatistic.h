#pragma once
// The statistic window: the log of the current game.
#include "ListWindow.h"

class frmStatistic : public ListWindow {
    Q_OBJECT
public:
    explicit frmStatistic(QWidget* mainWindow);
    QListWidget* lstStatistic;
};
