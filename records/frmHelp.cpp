#include "frmHelp.h"


#include <QWindow>

#include "mainwindow/Colors.h"
#include "platform/desktop/Fonts.h"
#include "platform/widgets/Twips.h"
#include "platform/windows/FrameKeeper.h"
#include "platform/windows/WindowFrame.h"
#include "platform/windows/WindowPlace.h"

namespace {
constexpr int kClientWidthTw = 3480;
constexpr int kClientHeightTw = 2700;
constexpr int kFullHeightTw = 3030;  // unrolling stops just above it
// The height unrolls as a window's outer height with a caption and borders
// of this size: the text and buttons come into view exactly as drawn, and
// the last step shows the whole client area, whatever frame the window
// manager draws around it (a tall title bar would cut the buttons off).
constexpr int kNominalFramePx = 27;

QFont ButtonFont() { return LayoutFont("MS Sans Serif", 8.25, true); }
}  // namespace

frmHelp::frmHelp(QWidget* mainWindow)
    : NoEscapeDialog(mainWindow),
      txtText(new QPlainTextEdit(this)),
      cmdNext(new QPushButton(QString::fromUtf8("Далее"), this)),
      cmdClose(new QPushButton(QString::fromUtf8("Закрыть"), this)),
      tmrResize(new WindowTimer("tmrResize", 15, false, this)),
      main_(mainWindow) {
    windowframe::FixedDialog(this);
    setObjectName("frmHelp");
    setWindowTitle(QString::fromUtf8("Справка"));
    setModal(true);
    SetBackColor(this, RGB(0, 0, 255));
    resize(twips::ToPixels(kClientWidthTw), 0);

    txtText->setObjectName("txtText");
    txtText->setReadOnly(true);
    txtText->setGeometry(0, 0, twips::ToPixels(3372), twips::ToPixels(2292));
    SetBackColor(txtText, RGB(0, 0, 0));
    SetForeColor(txtText, RGB(255, 255, 255));
    txtText->setFont(LayoutFont("Tahoma", 9, true));
    txtText->setFocusPolicy(Qt::ClickFocus);

    for (QPushButton* b : {cmdNext, cmdClose}) {
        b->setFont(ButtonFont());
        SetBackColor(b, RGB(128, 128, 128));
        b->setAutoDefault(true);  // Enter presses the button that has the focus
    }
    cmdNext->setObjectName("cmdNext");
    cmdClose->setObjectName("cmdClose");
    cmdNext->setGeometry(twips::ToPixels(2040), twips::ToPixels(2400), twips::ToPixels(1332), twips::ToPixels(252));
    cmdClose->setGeometry(twips::ToPixels(120), twips::ToPixels(2400), twips::ToPixels(1332), twips::ToPixels(252));
    setTabOrder(cmdNext, cmdClose);
    connect(cmdNext, &QPushButton::clicked, this, &frmHelp::cmdNext_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmHelp::cmdClose_Click);
    connect(tmrResize, &WindowTimer::Tick, this, &frmHelp::tmrResize_Timer);
}

void frmHelp::ApplyHeight() {
    // Of a fixed size at every step: nothing to maximise or drag.
    setFixedSize(width(), std::max(0, twips::ToPixels(heightTw_) - kNominalFramePx));
}

void frmHelp::Form_Load() {
    txtText->setFixedWidth(width());
    txtText->setPlainText(strText);
    heightTw_ = 0;  // collapsed: only the caption shows
    ApplyHeight();
    tmrResize->SetEnabled(true);
}

void frmHelp::ShowModal() {
    closingFromCode_ = false;
    Form_Load();
    if (main_) {
        // Centred on the main window at its full height, whatever it has
        // unrolled to; worked out again once its frame is known (a place
        // worked out with the frame a window manager had not yet drawn was
        // a pixel off).
        windowplace::Hold(this, [this] {
            const QPoint c = windowplace::FrameRect(main_).center();
            return QPoint(c.x() - windowplace::FrameSize(this).width() / 2, c.y() - twips::ToPixels(kFullHeightTw) / 2);
        });
    }
    cmdNext->setFocus();
    exec();
}

void frmHelp::tmrResize_Timer() {
    heightTw_ += 100;
    ApplyHeight();
    txtText->setFixedWidth(width());
    if (heightTw_ > kFullHeightTw) {
        txtText->setFixedWidth(width());
        tmrResize->SetEnabled(false);
    }
}

void frmHelp::cmdNext_Click() { Unload(); }

void frmHelp::Unload() {
    closingFromCode_ = true;
    close();
}

void frmHelp::cmdClose_Click() {
    blnClose = true;
    closingFromCode_ = true;
    close();
}

void frmHelp::done(int r) {
    if (!closingFromCode_) blnClose = true;  // the close box, Esc or the system menu
    closingFromCode_ = false;
    tmrResize->SetEnabled(false);
    QDialog::done(r);
}
