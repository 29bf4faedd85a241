#include "ListWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>

#include "platform/widgets/Twips.h"
#include "platform/windows/WindowFrame.h"
#include "platform/windows/WindowStates.h"

void FocusMainWindow(QWidget* mainWindow) {
    if (!mainWindow || !mainWindow->isVisible()) return;  // nothing to give it to: ignored
    // A minimised game stays so: to activate its window is to restore it
    // (a window manager hands the focus to a side window while it
    // minimises the others, one by one).
    if (mainWindow->isMinimized() || windowstate::Minimized(mainWindow)) return;
    mainWindow->activateWindow();
    mainWindow->raise();
}

ListWindow::ListWindow(QWidget* mainWindow, const QString& name, const QString& caption, int clientWidthTw,
                       int clientHeightTw)
    : QWidget(nullptr, Qt::Window), list_(new QListWidget(this)), main_(mainWindow) {
    windowframe::SideWindow(this);
    setObjectName(name);
    setWindowTitle(caption);
    resize(twips::ToPixels(clientWidthTw), twips::ToPixels(clientHeightTw));
    list_->setFrameShape(QFrame::NoFrame);
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    Form_Load();
}

void ListWindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    list_->setGeometry(0, 0, width(), height());
}

void ListWindow::Form_Load() { list_->setGeometry(0, 0, width(), height()); }

void ListWindow::Form_MouseUp() { GiveFocusToMain(); }

void ListWindow::List_GotFocus() { GiveFocusToMain(); }

void ListWindow::GiveFocusToMain() { FocusMainWindow(main_); }

void ListWindow::Unload() {
    unloading_ = true;
    close();
    deleteLater();
}

void ListWindow::closeEvent(QCloseEvent* e) {
    if (unloading_) {
        e->accept();
        return;
    }
    e->ignore();
    hide();
}

void ListWindow::mouseReleaseEvent(QMouseEvent* e) {
    QWidget::mouseReleaseEvent(e);
    Form_MouseUp();
}

bool ListWindow::eventFilter(QObject* obj, QEvent* e) {
    if (obj == list_ && e->type() == QEvent::FocusIn) List_GotFocus();
    if (obj == list_->viewport() && e->type() == QEvent::MouseButtonRelease) Form_MouseUp();
    return QWidget::eventFilter(obj, e);
}
