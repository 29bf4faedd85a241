#pragma once
// The hall-of-fame window: the table in a fixed-pitch font.
#include "ListWindow.h"

class frmGravloFathers : public ListWindow {
    Q_OBJECT
public:
    explicit frmGravloFathers(QWidget* mainWindow);
    QListWidget* lstTable;
};
