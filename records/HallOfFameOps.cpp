// The main window's hall of fame: loading, the list rows, the insertion of
// a final result, the save, and the ranking during play.
#include <QApplication>
#include <QListWidget>
#include <chrono>

#include "frmGravloFathers.h"
#include "mainwindow/Colors.h"
#include "mainwindow/frmMain.h"
#include "platform/folders/DataFolder.h"
#include "platform/folders/ProgramFolder.h"
#include "records/formats/PendingRecords.h"

void frmMain::ClearHallOfFame() {
    colNames.clear();
    colScores.clear();
}

void frmMain::LoadHallOfFame() {
    ClearHallOfFame();
    if (!pendingMerged_) {
        // The records an earlier run could not save, put in once a run;
        // a table held by another program leaves them for the next start.
        pendingMerged_ = true;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        pending::MergeInto(TableFolder(), [until] { return std::chrono::steady_clock::now() < until; });
    }
    hall = hof::Load(TableFolder(), ProgramFolder());
}

void frmMain::FillHallOfFameList() {
    if (SideWaits(gravloFathers_)) {  // filled when the window is made
        sidesWaiting_.fillHall = true;
        return;
    }
    QListWidget* lst = GravloFathers()->lstTable;
    lst->clear();
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(hall.Rows()));
    for (size_t i = 0; i < hall.Rows(); ++i)
        rows << QString::fromStdString(hof::RowText(i + 1, colNames[i], colScores[i]));
    lst->addItems(rows);
}

int frmMain::HallOfFameRows() const {
    // A list still to be filled will hold the table's rows.
    const long long rows = gravloFathers_           ? gravloFathers_->lstTable->count()
                           : sidesWaiting_.fillHall ? static_cast<long long>(hall.Rows())
                                                    : 0;
    return rows < INT16_MAX ? static_cast<int>(rows) : INT16_MAX;  // the place counter is 16 bits
}

void frmMain::InsertRecord(int32_t score) {
    newRow_.reset();
    if (hall.Rows() == 0) {
        const std::string name = AskPlayerName();
        if (!bCancelRecord) {
            hof::InsertAt(hall, 0, name, score);
            newRow_ = hof::NewRow{name, double(score)};
        }
        return;
    }
    LoadHallOfFame();  // another computer may have changed the file since the start
    const long at = hof::InsertIndex(hall, score);
    if (at < 0) return;  // a full table keeps it out: no name asked
    const std::string name = AskPlayerName();
    if (bCancelRecord) return;
    hof::InsertAt(hall, static_cast<size_t>(at), name, score);
    newRow_ = hof::NewRow{name, double(score)};
}

void frmMain::UpdateRanking(int32_t score) {
    const hof::Climb c = hof::UpdateRanking(colScores, iPlace, iPlacesPassed, score);
    if (c.nextPlace) lblNextPlace->setText(QString::fromStdString(c.nextPlaceText));
    if (!c.moved) return;
    QListWidget* lst = GravloFathers()->lstTable;
    if (c.selectRow < lst->count()) lst->setCurrentRow(c.selectRow);
    lblPosition->setText(QString::fromStdString(c.positionText));
    if (!tmrMigMenuControls->Enabled()) tmrMigMenuControls->SetEnabled(true);
    if (!c.victory) {
        AddStatistic(c.statisticLine);
    } else {
        ::SetForeColor(lblPosition, QBColor(11));
        lblNextPlace->setVisible(false);
        AddStatistic(c.statisticLine);
        DrawGrid();
    }
}
