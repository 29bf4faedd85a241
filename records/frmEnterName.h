#pragma once
// The player's name for a new row of the hall of fame.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include "platform/widgets/NoEscapeDialog.h"

class frmEnterName : public NoEscapeDialog {
    Q_OBJECT
public:
    // cancelRecord: the main window's flag, true unless Ok closes the window.
    frmEnterName(QWidget* mainWindow, bool* cancelRecord);

    QString PlayerName;

    QLabel* lblEnterName;
    QLineEdit* txtName;
    QPushButton* cmdOk;

    void Form_Load();
    void cmdOk_Click();

protected:
    void done(int r) override;  // every close ends here: the window about to close
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    bool* cancelRecord_;
    bool closingFromCode_ = false;
};
