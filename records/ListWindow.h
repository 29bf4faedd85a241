#pragma once
// A side window holding one list (the hall of fame, the statistic): the list
// fills the client area, the focus goes straight back to the main window,
// and a close by the user only hides the window.
#include <QListWidget>
#include <QWidget>

class ListWindow : public QWidget {
    Q_OBJECT
public:
    ListWindow(QWidget* mainWindow, const QString& name, const QString& caption, int clientWidthTw, int clientHeightTw);

    // Closes the window for good, whatever a user's close would do.
    void Unload();

    QListWidget* list() const { return list_; }

protected:
    void Form_Load();
    void Form_MouseUp();
    void List_GotFocus();
    void closeEvent(QCloseEvent* e) override;  // the window about to close
    void resizeEvent(QResizeEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;

    QListWidget* list_;

private:
    void GiveFocusToMain();
    QWidget* main_;
    bool unloading_ = false;
};

// Hands the focus back to the main window.
void FocusMainWindow(QWidget* mainWindow);
