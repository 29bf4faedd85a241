#pragma once
// The sound settings: music, the effect channels event by event, the master
// switch and the landing-shadow mode. Changes take effect at once.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <string>

#include "platform/widgets/TrackBar.h"

class frmMain;
class clsDMCtrl;
class frmOpen;

class frmSettings : public QDialog {
    Q_OBJECT
public:
    enum Prop { PropEnabled = 0, PropPath = 1, PropVolume = 2, PropFreq = 3 };

    explicit frmSettings(frmMain* main);
    ~frmSettings() override;

    void Form_Load();

    static std::string FileNameOf(const std::string& path);
    static std::string FolderOf(const std::string& path);
    void SetChannelProperty(clsDMCtrl* channel, const std::string& value, int kind);
    void SetEventProperty(const std::string& value, int kind, int variant);
    std::string EventPath(int variant);
    clsDMCtrl* EventChannel(int variant);
    void ShowFirstVariant(clsDMCtrl* c);
    void ShowSecondVariant(clsDMCtrl* c);

    // Handlers.
    void cmbListEvents_Click();
    void chkEnable_Click();
    void chkSoundControl_Click();
    void sldVolBackgrnd_Scroll();
    void sldFreq_MouseUp();
    void sldChange_Scroll();
    void txtChange_Change();
    void cmdOpen_Click();
    void chkEnVar_Click(int variant);
    void sldVolBut_MouseUp(int variant);
    void sldFreqBut_MouseUp(int variant);
    void cmdOpenVar_Click(int variant);
    void optMirv_Click(int index);

    QGroupBox *frmControls, *fraButton, *fraFirstVar, *fraSecondVar, *fraBkg, *fraMirv;
    QCheckBox *chkSoundControl, *chkEnFirstVar, *chkEnSecondVar, *chkEnable;
    QComboBox* cmbListEvents;
    QLabel *lblFirstVar, *lblSecondVar, *lblFile, *Label1;
    TrackBar *sldVolBut1, *sldFreqBut1, *sldVolBut2, *sldFreqBut2, *sldVolBackgrnd, *sldChange, *sldFreq;
    QPushButton *cmdOpenFirst, *cmdOpenSecond, *cmdOpen, *cmdOk;
    QLineEdit* txtChange;
    std::array<QRadioButton*, 3> optMirv{};

    // The chooser, made on first use and closed with this window.
    frmOpen* Chooser();

protected:
    void closeEvent(QCloseEvent* e) override;
    void done(int r) override;

private:
    frmMain* main_;
    QPointer<frmOpen> open_;
};
