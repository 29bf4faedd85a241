// The two list windows and their lists' appearance.
#include <QFont>
#include <QPalette>

#include "frmGravloFathers.h"
#include "frmStatistic.h"
#include "mainwindow/Colors.h"
#include "mainwindow/layout/HelpTexts.h"
#include "platform/desktop/Fonts.h"

namespace {
void Style(QListWidget* l, Rgb fore, const char* family, bool bold) {
    SetBackColor(l, RGB(0, 0, 0));
    SetForeColor(l, fore);
    l->setFont(LayoutFont(family, 8.25, bold));
}
}  // namespace

frmGravloFathers::frmGravloFathers(QWidget* mainWindow)
    : ListWindow(mainWindow, "frmGravloFathers", "The Best Of The Gravlok", 2970, 3210), lstTable(list_) {
    lstTable->setObjectName("lstTable");
    Style(lstTable, RGB(255, 255, 255), "Courier New", true);
    lstTable->setProperty("tag", QString::fromUtf8(kHallOfFameHelp));
}

frmStatistic::frmStatistic(QWidget* mainWindow)
    : ListWindow(mainWindow, "frmStatistic", "Statistic", 2280, 3195), lstStatistic(list_) {
    lstStatistic->setObjectName("lstStatistic");
    Style(lstStatistic, 0xC0C0C0, "MS Sans Serif", true);
}
