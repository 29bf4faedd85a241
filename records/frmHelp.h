#pragma once
// One screen of the help tour: a text, "Далее" and "Закрыть". The window
// unrolls from a thin strip each time it opens.
#include <QPlainTextEdit>
#include <QPushButton>
#include "platform/widgets/NoEscapeDialog.h"

#include "platform/widgets/WindowTimer.h"

class frmHelp : public NoEscapeDialog {
    Q_OBJECT
public:
    explicit frmHelp(QWidget* mainWindow);

    // Loads the window and shows it modally until a button or the close box
    // closes it.
    void ShowModal();

    QString strText;
    bool blnClose = false;

    QPlainTextEdit* txtText;
    QPushButton* cmdNext;
    QPushButton* cmdClose;
    WindowTimer* tmrResize;

    // Outer height in twips, as the unrolling sets it.
    double HeightTw() const { return heightTw_; }

    void Form_Load();
    void tmrResize_Timer();
    void cmdNext_Click();
    void cmdClose_Click();
    // Closed by the program (the end of a game), not by the player: the
    // tour goes on.
    void Unload();

protected:
    void done(int r) override;  // every close ends here: the window about to close

private:
    void ApplyHeight();
    QWidget* main_;
    double heightTw_ = 0;
    bool closingFromCode_ = false;
};
