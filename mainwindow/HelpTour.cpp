// The help tour: the hall-of-fame list first, then every control of the
// main window in control order, painted blue while its help text is shown.
#include <QListWidget>
#include <memory>

#include "Colors.h"
#include "frmMain.h"
#include "mainwindow/layout/HelpTexts.h"
#include "platform/runtime/Arithmetic.h"
#include "records/frmGravloFathers.h"
#include "records/frmHelp.h"

namespace {
constexpr Rgb kBlue = RGB(0, 0, 255);
constexpr Rgb kRed = RGB(255, 0, 0);
constexpr Rgb kBlack = RGB(0, 0, 0);

// The panels, the bars and the two caption labels of the time bonus.
bool LeftOut(const QString& name) {
    static const QStringList names{"lblTotal", "lblHeightBonus", "fraLeft", "fraBottomRight", "fraBottom", "fraGravlok",
                                   "Label1",   "Label2",         "Label3",  "Label4",         "Label5"};
    return names.contains(name);
}
}  // namespace

void frmMain::chkHelp_Click() {
    if (!chkHelp->isChecked()) {  // 1
        picGravlok->setFocus();
        return;
    }
    auto H = std::make_unique<frmHelp>(this);  // 2
    auto randomSound = [this] {
        PlayEventSound(static_cast<uint8_t>(arith::RoundToInt16(Random().Rnd() * 6.0f + 1.0f)));
    };
    randomSound();                                  // 3
    QListWidget* list = GravloFathers()->lstTable;  // 4
    SetBackColor(list, kRed);
    H->strText = QString::fromUtf8(kHallOfFameHelp);
    H->ShowModal();
    if (gravloFathers_) SetBackColor(gravloFathers_->lstTable, kBlack);
    if (!H->blnClose) {  // 5
        for (const ControlEntry& e : controls_) {
            if (e.kind == Kind::Timer || LeftOut(e.name)) continue;
            auto* c = qobject_cast<QWidget*>(e.object);
            const Rgb remembered = BackColorOf(c);  // 5.1
            SetBackColor(c, kBlue);
            H->strText = e.tag;  // 5.2
            H->ShowModal();
            SetBackColor(c, remembered);  // 5.3
            randomSound();                // 5.4
            if (c == picGravlok) {        // 5.5
                DrawWell();
                DrawGrid();
                DrawFigureArea();
            }
            if (H->blnClose) break;  // 5.6
        }
    }
    H.reset();                   // 6
    chkHelp->setChecked(false);  // 7
    picGravlok->setFocus();      // 8
}
