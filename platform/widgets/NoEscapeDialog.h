#pragma once
// A question window that only its own buttons and its close box answer. Esc
// is the game's pause key, pressed by reflex: it must not decline a record,
// end the program or end the help tour.
#include <QDialog>
#include <QKeyEvent>

class NoEscapeDialog : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Escape) {
            e->accept();
            return;
        }
        QDialog::keyPressEvent(e);
    }
};
