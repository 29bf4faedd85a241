#pragma once
// The main window: the well, the score panel, the control panel and the
// menu. It owns the whole game state (GameCore) and is the window the game
// rules talk to (GameHost, PictureHost).
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QWidget>
#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "game/GameCore.h"
#include "mainwindow/layout/Layout.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/WindowTimer.h"
#include "records/formats/SettingsFile.h"
#include "records/formats/TableFile.h"
#include "sound/clsDMCtrl.h"

class CaptionStrip;
class frmGravloFathers;
class frmStatistic;
class frmFuture;

// One entry of the window's control order.
struct ControlEntry {
    QString name;
    int index = -1;
    Kind kind = Kind::Label;
    QObject* object = nullptr;
    QString tag;  // help text
};

// Random source and clock the window uses unless a test brings its own.
struct MainServices {
    DefaultRandom defaultRandom;
    SystemTimeOfDay defaultClock;
};

class frmMain : public QWidget, public GameHost, public PictureHost, private MainServices, public GameCore {
    Q_OBJECT
public:
    explicit frmMain(RandomSource* rnd = nullptr, TimeOfDay* clock = nullptr);
    ~frmMain() override;

    // The start-up routine; also starts every new game.
    void Form_Load();

    // Keyboard and button input.
    void Form_KeyDown(int16_t KeyCode, int16_t Shift);
    void Form_KeyUp(int16_t KeyCode, int16_t Shift);
    void cmdLeftRight_MouseDown(int16_t Index, int16_t Button, int16_t Shift, float X, float Y);
    void cmdLeftRight_MouseUp(int16_t Index, int16_t Button, int16_t Shift, float X, float Y);
    void cmdRotate_MouseDown(int16_t Index, int16_t Button, int16_t Shift, float X, float Y);
    void cmdRotate_MouseUp(int16_t Index, int16_t Button, int16_t Shift, float X, float Y);
    void cmdSpace_MouseDown(int16_t Button, int16_t Shift, float X, float Y);
    void cmdSpace_MouseUp(int16_t Button, int16_t Shift, float X, float Y);
    void cmdDown_MouseDown(int16_t Button, int16_t Shift, float X, float Y);
    void cmdDown_MouseUp(int16_t Button, int16_t Shift, float X, float Y);

    // Menu.
    void chkPause_Click();
    void chkSet_Click();
    void chkRec_Click();
    void chkStat_Click();
    void chkFuture_Click();
    void chkRec_MouseUp();
    void chkStat_MouseUp();
    void chkFuture_MouseUp();
    void tmrMigMenuControls_Timer();

    void chkAuto_Click();
    void chkAuto_MouseUp();

    // Demo player.
    void chkDemo_Click();
    void tmrDemo_Timer();

    // Help tour.
    void chkHelp_Click();

    // Window shape, minimise and drawing scale.
    void Minimize_Window(bool Minimize);
    void RebuildWindowRgn();
    void Form_Resize();
    void Form_Paint();

    // Controls, under their names.
    CaptionStrip* captionStrip = nullptr;
    QWidget* client = nullptr;  // the client area
    QGroupBox *fraGravlok = nullptr, *fraBottom = nullptr, *fraControl = nullptr, *fraBottomRight = nullptr,
              *frmMenu = nullptr, *fraLeft = nullptr, *fraScore = nullptr, *fraLines = nullptr;
    PictureBox *picGravlok = nullptr, *picNext = nullptr;
    QPushButton *cmdDown = nullptr, *cmdSpace = nullptr;
    std::array<QPushButton*, 3> cmdLeftRight{};  // members 0 and 2
    std::array<QPushButton*, 1> cmdRotate{};     // member 0
    QPushButton *chkSet = nullptr, *chkDemo = nullptr, *chkHelp = nullptr, *chkPause = nullptr, *chkRec = nullptr,
                *chkStat = nullptr, *chkAuto = nullptr, *chkFuture = nullptr;
    QLabel *lblPause = nullptr, *lblScore = nullptr, *lblFirma = nullptr, *lblSumBonus = nullptr,
           *lblHeightBonus = nullptr, *lblLevel = nullptr, *lblPosition = nullptr, *lblRemain = nullptr,
           *lblNextPlace = nullptr, *lblAutors = nullptr, *lblTimeBonus = nullptr, *lblTotal = nullptr,
           *lblTotalScore = nullptr;
    std::array<QLabel*, 5> lblCountLines{};  // members 1 to 4
    QLabel *Label5 = nullptr, *Label4 = nullptr, *Label3 = nullptr, *Label2 = nullptr, *Label1 = nullptr;
    WindowTimer *tmrMigMenuControls = nullptr, *tmrDemo = nullptr, *tmrLevel = nullptr, *tmrMigCountLines = nullptr,
                *tmrDown = nullptr;

    // The ten sound effect channels, in declaration order.
    std::unique_ptr<clsDMCtrl> mDown1, mLeft1, mRight1, mRotate1, mDrop1, mDelLin1, mGravlok1, mDrop2, mDown2,
        mInverse1;
    clsDMCtrl* Channel(Sound s) const;
    void PlayEventSound(uint8_t code);
    // The settings file: read once per run, written when the window closes.
    void SaveSettings();
    void WriteDefaultSettings();
    void ApplySettings(const settings::Values& v);
    settings::Values CurrentSettings();
    void Form_QueryUnload();
    // Ended by the desktop (a signal, the session ending): the settings are
    // written as by the close box, and the program ends at once, whatever
    // question window is open.
    void EndBySession();

    // The window's controls in control order.
    const std::vector<ControlEntry>& Controls() const { return controls_; }
    QWidget* Control(const QString& name, int index = -1) const;

    // The side windows: made hidden on first reference, single instances.
    frmGravloFathers* GravloFathers();
    frmStatistic* Statistic();
    frmFuture* Future();
    // Until the main window is first on the screen the side windows wait
    // unmade: what the start-up does to them (the list filled, the preview
    // drawn, a place and a showing from the settings) is kept and done when
    // each is made, by its first reference or by this, which makes the rest.
    void MakeSideWindows();
    // Closes the three side windows for good.
    void UnloadSideWindows();

    // The hall of fame: rows best first, names beside their scores.
    hof::Table hall;
    std::vector<std::string>& colNames = hall.colNames;
    std::vector<double>& colScores = hall.colScores;
    int16_t iPlacesPassed = 0;
    void ClearHallOfFame();
    void SaveHallOfFame();
    void InsertRecord(int32_t score);
    std::string AskPlayerName();
    // Ends the program at once, without writing the settings.
    std::function<void(int)> ExitProgram;
    // How long a record's save waits for another program's lock before the
    // player is asked to retry or give it up.
    std::chrono::milliseconds RecordWaitBound{60000};

    // GameHost
    void SetCaption(Label l, const std::string& text) override;
    std::string Caption(Label l) const override;
    void SetForeColor(Label l, Rgb c) override;
    Rgb ForeColor(Label l) const override;
    void SetLabelVisible(Label l, bool visible) override;
    void EnableTimer(Timer t, bool enabled) override;
    bool TimerEnabled(Timer t) const override;
    void SetDownBackColor(Rgb c) override;
    void EnableDown(bool enabled) override;
    void Play(Sound s) override;
    void AddStatistic(const std::string& line) override;
    void SelectLastStatistic() override;
    void BkgMusicSetPan(int16_t pan) override;
    void UpdateRanking(int32_t score) override;
    void EndOfGame(int32_t score) override;

    // PictureHost
    Canvas* PictureCanvas(Picture p) override;
    void PictureChanged(Picture p) override;

    QLabel* LabelOf(Label l) const;
    WindowTimer* TimerOf(Timer t) const;

    // Parts of the start-up that the hall of fame, the statistic, the
    // settings and the sound channels fill in.
    void LoadHallOfFame();
    void FillHallOfFameList();
    int HallOfFameRows() const;
    void ClearStatistic();
    void CreateSoundChannels();
    void LoadSettings();
    void FollowSideWindow(QWidget* side);
    void FollowMainWindow();
    void KeyboardBackToGame();
    bool SideWindowVisible(int which) const;  // 0 hall of fame, 1 statistic, 2 future
    // The settings' place and showing of a side window (0, 1, 2 as above),
    // and a showing or hiding by its toggle.
    void ApplySideWindowSettings(int which, QPoint place, bool shown);
    void ShowSideWindow(int which, bool shown);
    void ShowInGameState(QWidget* w, bool shown);

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void BuildControls();
    std::optional<hof::NewRow> newRow_;  // this game's row, kept until it is saved
    // A save waiting for another program's lock: until when it may wait (the
    // steady clock's count), and whether the player or the session asked
    // for the end meanwhile.
    enum class EndAsked { None, Close, Session };
    std::optional<hof::Table> SaveAside(const QString& folder, hof::SaveTrouble& trouble);
    void AskEndDuringSave(EndAsked how);
    void EndWithRecordKept(const QString& folder);
    void ListFilesTable(const QString& folder);
    bool KeepRecordForNextStart(const QString& folder);
    bool savingRecord_ = false;
    std::atomic<int64_t> saveDeadline_{0};
    EndAsked endAsked_ = EndAsked::None;
    bool pendingMerged_ = false;
    QPointer<frmGravloFathers> gravloFathers_;
    QPointer<frmStatistic> statistic_;
    QPointer<frmFuture> future_;
    bool futureMade_ = false;            // made once already: a new one comes after a user's close
    std::optional<QPoint> futurePlace_;  // where the closed one's frame stood
    struct SideWindowsWaiting {
        bool waiting = true;    // since the window was made, until MakeSideWindows
        bool fillHall = false;  // the hall-of-fame list is to be filled
        std::array<bool, 3> shown{};
        std::array<std::optional<QPoint>, 3> place;  // from the settings, for one they show
    } sidesWaiting_;
    QWidget* MadeSideWindow(int which) const;
    QWidget* SideWindow(int which);
    bool SideWaits(const QObject* made) const { return sidesWaiting_.waiting && !made; }
    void CatchUpSideWindow(int which, QWidget* w);
    int16_t iMigStep = 0;
    void InstallInput();
    void InstallRepaint();
    void ConnectMenu();
    void ConnectTimers();
    std::vector<ControlEntry> controls_;
};
