// The main window's settings: the file's values applied at the first
// start-up, and collected again when the window closes.
#include <QCloseEvent>
#include <QDir>

#include "frmFuture.h"
#include "frmGravloFathers.h"
#include "frmStatistic.h"
#include "mainwindow/frmMain.h"
#include "platform/folders/DataFolder.h"
#include "platform/folders/ProgramFolder.h"
#include "platform/widgets/Twips.h"
#include "platform/windows/WindowPlace.h"
#include "records/formats/PendingRecords.h"
#include "records/formats/SettingsStore.h"
#include "sound/DirectSound.h"

namespace {
int Px(double tw) { return twips::ToPixels(tw); }
double Tw(int px) { return twips::FromPixels(px); }
}  // namespace

// The channels in the order of the file.
static std::array<clsDMCtrl*, 10> FileOrder(frmMain& w) {
    return {w.mLeft1.get(), w.mRight1.get(), w.mRotate1.get(), w.mDrop1.get(),    w.mDrop2.get(),
            w.mDown1.get(), w.mDown2.get(),  w.mDelLin1.get(), w.mGravlok1.get(), w.mInverse1.get()};
}

void frmMain::LoadSettings() {
    QDir::setCurrent(ProgramFolder());
    ApplySettings(settings::Load(DataFolder(), ProgramFolder()));
}

void frmMain::WriteDefaultSettings() { settings::WriteDefaultSettings(DataFolder()); }

void frmMain::ApplySettings(const settings::Values& v) {
    windowplace::MoveFrame(this, QPoint(Px(v.mainLeft), Px(v.mainTop)));
    const settings::Window* windows[] = {&v.hall, &v.stat, &v.future};
    for (int i = 0; i < 3; ++i)
        ApplySideWindowSettings(i, QPoint(Px(windows[i]->left), Px(windows[i]->top)), windows[i]->shown);
    EnableSoundControl = v.EnableSoundControl;
    PathToBkgMusic = v.PathToBkgMusic;
    EnableLoop = v.EnableLoop;
    BkgMusicLoad(PathToBkgMusic);
    if (!EnableLoop) BkgMusicStop();
    BkgMusicSetVolume(v.VolumeBkgMusic);
    VolumeBkgMusic = v.VolumeBkgMusic;
    BkgMusicSetFrequency(v.freq);
    freq = v.freq;
    const auto channels = FileOrder(*this);
    for (size_t i = 0; i < channels.size(); ++i) {
        if (!channels[i]) continue;
        const settings::Channel& c = v.channels[i];
        channels[i]->DMCtrlPath(c.path);
        channels[i]->DMCtrlEnabled(c.enabled);
        channels[i]->DMCtrlVolume(c.volume);
        channels[i]->DMCtrlFreq(c.freq);
    }
    SpeedChange = v.SpeedChange;
    iMirvax = v.iMirvax;
}

settings::Values frmMain::CurrentSettings() {
    settings::Values v;
    if (isMinimized()) showNormal();  // its normal place is what is kept
    v.mainLeft = Tw(windowplace::FramePos(this).x());
    v.mainTop = Tw(windowplace::FramePos(this).y());
    const std::pair<QWidget*, settings::Window*> windows[] = {
        {GravloFathers(), &v.hall}, {Statistic(), &v.stat}, {Future(), &v.future}};
    for (auto [w, s] : windows) {
        s->shown = w->isVisible();
        s->left = Tw(windowplace::FramePos(w).x());
        s->top = Tw(windowplace::FramePos(w).y());
    }
    v.EnableSoundControl = EnableSoundControl;
    v.PathToBkgMusic = PathToBkgMusic;
    v.EnableLoop = EnableLoop;
    v.VolumeBkgMusic = VolumeBkgMusic;
    v.freq = freq;
    const auto channels = FileOrder(*this);
    for (size_t i = 0; i < channels.size(); ++i) {
        if (!channels[i]) continue;
        v.channels[i] = settings::Channel{channels[i]->DMCtrlPath(), channels[i]->DMCtrlEnabled(),
                                          channels[i]->DMCtrlVolume(), channels[i]->DMCtrlFreq()};
    }
    v.SpeedChange = SpeedChange;
    v.iMirvax = iMirvax;
    return v;
}

void frmMain::SaveSettings() {
    QDir::setCurrent(ProgramFolder());
    settings::Save(DataFolder(), CurrentSettings());  // a failed write still lets the window close
}

void frmMain::Form_QueryUnload() {
    SaveSettings();
    UnloadSideWindows();
}

void frmMain::EndBySession() {
    // A save waiting for another program's lock finishes within a short
    // grace, or keeps the record for the next start, then ends the program.
    if (savingRecord_) {
        AskEndDuringSave(EndAsked::Session);
        return;
    }
    if (newRow_) KeepRecordForNextStart(TableFolder());  // the player was still choosing
    Form_QueryUnload();
    ExitProgram(0);
}

void frmMain::closeEvent(QCloseEvent* e) {
    if (savingRecord_) {  // answered once the save is done or given up
        AskEndDuringSave(EndAsked::Close);
        e->ignore();
        return;
    }
    Form_QueryUnload();
    e->accept();
}
