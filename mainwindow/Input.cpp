// Keyboard and on-screen button input: the keys press and release the five
// move buttons, so key and mouse give the same effect and feedback.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "Colors.h"
#include "frmMain.h"
#include "platform/widgets/KeyCodes.h"

namespace {
constexpr Rgb kGreen = RGB(0, 255, 0);
constexpr Rgb kYellow = RGB(255, 255, 0);
constexpr Rgb kBlack = RGB(0, 0, 0);
}  // namespace

void frmMain::InstallInput() {
    // The window sees every key first, whichever of its controls has the focus.
    qApp->installEventFilter(this);
    for (QPushButton* b : {cmdDown, cmdLeftRight[0], cmdLeftRight[2], cmdRotate[0], cmdSpace}) {
        b->installEventFilter(this);
        b->setFocusPolicy(Qt::NoFocus);
    }
}

bool frmMain::eventFilter(QObject* obj, QEvent* e) {
    const QEvent::Type t = e->type();
    if (t == QEvent::KeyPress || t == QEvent::KeyRelease) {
        // A key passes every receiver on its way (window, focus widget,
        // parents); it is handled once, at the focus widget of this window.
        QWidget* focus = QApplication::focusWidget();
        const bool mine = focus ? (obj == focus && focus->window() == this) : obj == this;
        if (!mine || QApplication::activeModalWidget()) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        const int code = keycode::FromQt(k->key());
        if (code == 0) return false;
        if (t == QEvent::KeyPress) Form_KeyDown(static_cast<int16_t>(code), 0);
        else if (!k->isAutoRepeat())  // only the real release ends a held key
            Form_KeyUp(static_cast<int16_t>(code), 0);
        return true;
    }
    if (t == QEvent::MouseButtonPress || t == QEvent::MouseButtonDblClick || t == QEvent::MouseButtonRelease) {
        const bool down = t != QEvent::MouseButtonRelease;
        // A disabled button (the drop button during a drop) takes no clicks.
        if (auto* b = qobject_cast<QPushButton*>(obj); b && !b->isEnabled()) return b->window() == this;
        // Any mouse button presses the move buttons.
        if (obj == cmdLeftRight[0] || obj == cmdLeftRight[2]) {
            const int16_t i = obj == cmdLeftRight[0] ? 0 : 2;
            down ? cmdLeftRight_MouseDown(i, 0, 0, 0, 0) : cmdLeftRight_MouseUp(i, 0, 0, 0, 0);
            return true;
        }
        if (obj == cmdRotate[0]) {
            down ? cmdRotate_MouseDown(0, 0, 0, 0, 0) : cmdRotate_MouseUp(0, 0, 0, 0, 0);
            return true;
        }
        if (obj == cmdSpace) {
            down ? cmdSpace_MouseDown(0, 0, 0, 0) : cmdSpace_MouseUp(0, 0, 0, 0);
            return true;
        }
        if (obj == cmdDown) {
            down ? cmdDown_MouseDown(0, 0, 0, 0) : cmdDown_MouseUp(0, 0, 0, 0);
            return true;
        }
    }
    // A window over this one closing uncovers it: the window repaints.
    if (t == QEvent::Hide && obj != this && obj->isWidgetType()) {
        auto* w = static_cast<QWidget*>(obj);
        if (w->isWindow() && w->parentWidget() == this) client->update();
    }
    return QWidget::eventFilter(obj, e);
}

void frmMain::Form_KeyDown(int16_t KeyCode, int16_t) {
    switch (KeyCode) {
    case keycode::kLeft:
        if (bRunning) cmdLeftRight_MouseDown(0, 0, 0, 0, 0);
        break;
    case keycode::kRight:
        if (bRunning) cmdLeftRight_MouseDown(2, 0, 0, 0, 0);
        break;
    case keycode::kUp:
        if (bRunning) cmdRotate_MouseDown(0, 0, 0, 0, 0);
        break;
    case keycode::kDown:
        if (bRunning && cmdDown->isEnabled()) cmdDown_MouseDown(0, 0, 0, 0);
        break;
    case keycode::kEscape:
        bEscPause = true;
        chkPause->setChecked(!chkPause->isChecked());
        break;
    case keycode::kSpace:
        if (bRunning) cmdSpace_MouseDown(0, 0, 0, 0);
        break;
    default: break;
    }
}

void frmMain::Form_KeyUp(int16_t KeyCode, int16_t) {
    switch (KeyCode) {
    case keycode::kLeft: cmdLeftRight_MouseUp(0, 0, 0, 0, 0); break;
    case keycode::kRight: cmdLeftRight_MouseUp(2, 0, 0, 0, 0); break;
    case keycode::kUp: cmdRotate_MouseUp(0, 0, 0, 0, 0); break;
    case keycode::kSpace: cmdSpace_MouseUp(0, 0, 0, 0); break;
    default: break;
    }
}

void frmMain::cmdLeftRight_MouseDown(int16_t Index, int16_t, int16_t, float, float) {
    SetBackColor(cmdLeftRight[static_cast<size_t>(Index)], kGreen);
    if (!Enable_Move_Left_Right(Index)) return;
    iFigX = static_cast<uint8_t>(iFigX + Index - 1);
    Play(Index != 0 ? Sound::Right1 : Sound::Left1);
    UpdateShadow();
    DrawFigureArea();
}

void frmMain::cmdLeftRight_MouseUp(int16_t, int16_t, int16_t, float, float) {
    SetBackColor(cmdLeftRight[0], ColorButtons);
    SetBackColor(cmdLeftRight[2], ColorButtons);
    picGravlok->setFocus();
}

void frmMain::cmdRotate_MouseDown(int16_t, int16_t, int16_t, float, float) {
    SetBackColor(cmdRotate[0], kYellow);
    Play(Sound::Rotate1);
    RotateFigure();
    UpdateShadow();
    DrawFigureArea();
}

void frmMain::cmdRotate_MouseUp(int16_t, int16_t, int16_t, float, float) {
    SetBackColor(cmdRotate[0], ColorButtons);
    picGravlok->setFocus();
}

void frmMain::cmdSpace_MouseDown(int16_t, int16_t, float, float) {
    SetBackColor(cmdSpace, kYellow);
    if (!bRunning) return;
    if (CanInvert()) InvertFigure();
    UpdateShadow();
}

void frmMain::cmdSpace_MouseUp(int16_t, int16_t, float, float) {
    SetBackColor(cmdSpace, ColorButtons);
    picGravlok->setFocus();
}

void frmMain::cmdDown_MouseDown(int16_t, int16_t, float, float) {
    bDropping = true;
    SetBackColor(cmdDown, kBlack);
    Play(Random().Rnd() <= 0.5f ? Sound::Drop2 : Sound::Drop1);
    cmdDown->setEnabled(false);
}

void frmMain::cmdDown_MouseUp(int16_t, int16_t, float, float) { picGravlok->setFocus(); }
