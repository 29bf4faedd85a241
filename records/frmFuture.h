#pragma once
// The window of the three figures after the next one. A user's close
// destroys it; the next reference makes it again.
#include <QWidget>

#include "platform/widgets/PictureBox.h"

class frmFuture : public QWidget {
    Q_OBJECT
public:
    explicit frmFuture(QWidget* mainWindow);
    void Unload();
    PictureBox* picFuture;

signals:
    // About to close: where its frame stood, for the one made after it.
    void Closing(QPoint framePos);

protected:
    void closeEvent(QCloseEvent* e) override;
    void Form_Load();
    void changeEvent(QEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    QWidget* main_;
};
