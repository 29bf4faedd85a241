#pragma once
// The wave-file chooser: volumes, folders and the *.wav files of the current
// folder. A click on a file picks it; closing the window picks nothing.
#include <QComboBox>
#include <QDialog>
#include <QListWidget>

class frmOpen : public QDialog {
    Q_OBJECT
public:
    explicit frmOpen(QWidget* owner);

    // Makes sPath the current folder (the program's folder when it cannot)
    // and selects the volume holding it.
    void SetPath(const QString& sPath);
    // Shows the window until a file is picked or the window is closed.
    void ShowModal();

    QString NameFile;
    QString PathToFile;

    QComboBox* drvOpen;
    QListWidget* dirOpen;
    QListWidget* filOpen;

    // The folder the lists show.
    QString DirPath() const { return dir_; }
    void drvOpen_Change();
    void SetDir(const QString& path);  // the folder list's path; the file list follows
    void filOpen_Click(const QString& name);

private:
    void FillDrives();
    QString dir_;
    int drive_ = -1;  // the selection before a change
};
