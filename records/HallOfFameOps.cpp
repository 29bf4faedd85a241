// The main window's hall of fame: loading, the list rows, the insertion of
// a final result, the save, and the ranking during play.
#include <QApplication>
#include <QListWidget>

#include "frmGravloFathers.h"
#include "mainwindow/Colors.h"
#include "mainwindow/frmMain.h"
#include "platform/files/DataFolder.h"
#include "platform/files/ProgramFolder.h"
#include "platform/widgets/WorkAside.h"

void frmMain::ClearHallOfFame() {
    colNames.clear();
    colScores.clear();
}

void frmMain::LoadHallOfFame() {
    ClearHallOfFame();
    hall = hof::Load(DataFolder(), ProgramFolder());
}

void frmMain::FillHallOfFameList() {
    QListWidget* lst = GravloFathers()->lstTable;
    lst->clear();
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(hall.Rows()));
    for (size_t i = 0; i < hall.Rows(); ++i)
        rows << QString::fromStdString(hof::RowText(i + 1, colNames[i], colScores[i]));
    lst->addItems(rows);
}

int frmMain::HallOfFameRows() const {
    const int rows = gravloFathers_ ? gravloFathers_->lstTable->count() : 0;
    return rows < INT16_MAX ? rows : INT16_MAX;  // the place counter is 16 bits
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

void frmMain::SaveHallOfFame() {
    // The file is read again under the lock and this game's row put into it,
    // so a record another copy saved meanwhile stays; the list then shows
    // the table as saved.
    // The save waits for other copies and syncs the disk aside, the windows
    // repainting meanwhile; while another copy holds the table, the pointer
    // shows that the game is busy.
    bool waited = false;
    std::optional<hof::Table> saved;
    const QString folder = DataFolder();
    DoAside([&] {
        saved = hof::Save(folder, hall, newRow_, {}, [&waited] {
            OnWindowThread([&waited] {
                waited = true;
                QApplication::setOverrideCursor(Qt::WaitCursor);
            });
        });
    });
    if (waited) QApplication::restoreOverrideCursor();
    newRow_.reset();
    if (saved && *saved != hall) {
        hall = *saved;
        FillHallOfFameList();
    }
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
