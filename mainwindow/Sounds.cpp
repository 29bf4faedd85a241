// The main window's sound channels and music set-up.
#include <QCoreApplication>

#include "frmMain.h"
#include "sound/DirectSound.h"

void frmMain::CreateSoundChannels() {
    const bool* master = &EnableSoundControl;
    const long hwnd = static_cast<long>(winId());
    for (auto* m :
         {&mDown1, &mLeft1, &mRight1, &mRotate1, &mDrop1, &mDelLin1, &mGravlok1, &mDrop2, &mDown2, &mInverse1})
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
    static const Sound bySound[] = {Sound::Gravlok1, Sound::Down1, Sound::Left1,  Sound::Right1,
                                    Sound::Rotate1,  Sound::Drop1, Sound::DelLin1};
    if (code >= 1 && code <= 7) Play(bySound[code - 1]);
}
