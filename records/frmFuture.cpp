#include "frmFuture.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QResizeEvent>

#include "ListWindow.h"
#include "mainwindow/Colors.h"
#include "platform/widgets/Twips.h"
#include "platform/windows/WindowFrame.h"
#include "platform/windows/WindowPlace.h"

frmFuture::frmFuture(QWidget* mainWindow)
    : QWidget(nullptr, Qt::Window), picFuture(new PictureBox(this)), main_(mainWindow) {
    windowframe::SideWindow(this);
    setObjectName("frmFuture");
    setWindowTitle("Future");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(twips::ToPixels(1515), twips::ToPixels(3840));
    picFuture->setObjectName("picFuture");
    SetBackColor(picFuture, RGB(64, 64, 64));
    picFuture->setFocusPolicy(Qt::NoFocus);
    picFuture->installEventFilter(this);
    Form_Load();
}

void frmFuture::Form_Load() {
    picFuture->setGeometry(0, 0, width(), height());
    QResizeEvent re(picFuture->size(), QSize());  // the canvas at once, not at the first show
    QCoreApplication::sendEvent(picFuture, &re);
    // The drawing scale is twips.
    Canvas& c = picFuture->canvas();
    c.SetScale(twips::FromPixels(picFuture->InnerSize().width()), twips::FromPixels(picFuture->InnerSize().height()));
}

void frmFuture::Unload() { close(); }

void frmFuture::closeEvent(QCloseEvent* e) {
    if (isVisible()) emit Closing(windowplace::FramePos(this));
    QWidget::closeEvent(e);
}

void frmFuture::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Load();
}

void frmFuture::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) FocusMainWindow(main_);
}

void frmFuture::mouseReleaseEvent(QMouseEvent* e) {
    QWidget::mouseReleaseEvent(e);
    FocusMainWindow(main_);
}

bool frmFuture::eventFilter(QObject* obj, QEvent* e) {
    if (obj == picFuture && e->type() == QEvent::MouseButtonRelease) FocusMainWindow(main_);
    return QWidget::eventFilter(obj, e);
}
