// The main window's sound channels and music set-up.
#include <QCoreApplication>

#include "frmMain.h"
#include "platform/ProgramFolder.h"
#include "platform/Twips.h"
#include "records/frmFuture.h"
#include "records/frmGravloFathers.h"
#include "records/frmStatistic.h"
#include "sound/DirectSound.h"

void frmMain::CreateSoundChannels() {
    const bool* master = &EnableSoundControl;
    const long hwnd = static_cast<long>(winId());
    for (auto* m : {&mDown1, &mLeft1, &mRight1, &mRotate1, &mDrop1, &mDelLin1, &mGravlok1, &mDrop2, &mDown2,
                    &mInverse1})
        *m = std::make_unique<clsDMCtrl>(master, hwnd);
    BkgMusic().mainFreq = &freq;
    BkgMusic().mainHandle = hwnd;
}

clsDMCtrl* frmMain::Channel(Sound s) const {
    switch (s) {
    case Sound::Down1: return mDown1.get();
    case Sound::Left1: return mLeft1.get();
    case Sound::Right1: return mRight1.get();
    case Sound::Rotate1: return mRotate1.get();
    case Sound::Drop1: return mDrop1.get();
    case Sound::DelLin1: return mDelLin1.get();
    case Sound::Gravlok1: return mGravlok1.get();
    case Sound::Drop2: return mDrop2.get();
    case Sound::Down2: return mDown2.get();
    case Sound::Inverse1: return mInverse1.get();
    }
    return nullptr;
}

void frmMain::Play(Sound s) {
    if (clsDMCtrl* c = Channel(s)) c->DMCtrlPlay();
}

void frmMain::BkgMusicSetPan(int16_t pan) { ::BkgMusicSetPan(pan); }

void frmMain::PlayEventSound(uint8_t code) {
    static const Sound bySound[] = {Sound::Gravlok1, Sound::Down1, Sound::Left1, Sound::Right1,
                                    Sound::Rotate1, Sound::Drop1, Sound::DelLin1};
    if (code >= 1 && code <= 7) Play(bySound[code - 1]);
}

void frmMain::ApplyDefaultSettings() {
    const std::string dir = ProgramFolder().toStdString();
    EnableSoundControl = true;
    PathToBkgMusic = dir + "/Sound/bkgmusic.WAV";
    EnableLoop = true;
    BkgMusicLoad(PathToBkgMusic);
    BkgMusicSetVolume(-800);
    VolumeBkgMusic = -800;
    BkgMusicSetFrequency(18600);
    freq = 18600;
    const std::pair<clsDMCtrl*, const char*> files[] = {
        {mLeft1.get(), "left1.WAV"},     {mRight1.get(), "right1.WAV"}, {mRotate1.get(), "rotate1.WAV"},
        {mDrop1.get(), "drop1.WAV"},     {mDrop2.get(), "drop2.WAV"},   {mDown1.get(), "down1.WAV"},
        {mDown2.get(), "down2.WAV"},     {mDelLin1.get(), "dellin1.WAV"}, {mGravlok1.get(), "gravlok1.WAV"},
        {mInverse1.get(), "inverse1.WAV"},
    };
    for (auto [c, file] : files) {
        if (!c) continue;
        c->DMCtrlPath(dir + "/sound/" + file);
        c->DMCtrlEnabled(true);
        c->DMCtrlVolume(0);
        c->DMCtrlFreq(32000);
    }
    SpeedChange = 0;
    iMirvax = 1;
    // Window places in twips: the main window, then the three side windows shown.
    const auto tw = [](int v) { return twips::ToPixels(v); };
    move(tw(2955), tw(1560));
    GravloFathers()->move(tw(9905), tw(7200));
    GravloFathers()->show();
    Statistic()->move(tw(11530), tw(1560));
    Statistic()->show();
    Future()->move(tw(9905), tw(1560));
    Future()->show();
}
