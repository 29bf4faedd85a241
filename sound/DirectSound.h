#pragma once
// The background music: one wave file looping, with stop and resume,
// volume, frequency and the pan of the sweep.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/audio/SoundDevice.h"

struct BkgMusicModule {
    std::string BkgMusicPath;
    bool BkgMusicLoaded = false;
    int16_t BkgMusicVolume = 0;
    std::unique_ptr<DirectX7> BkgRoot;
    std::unique_ptr<DirectSound> BkgDevice;
    std::unique_ptr<DirectSoundBuffer> BkgBuffer;
    int32_t* mainFreq = nullptr;  // the main window's freq
    long mainHandle = 0;          // the main window's handle
};

// The one music module of the program.
BkgMusicModule& BkgMusic();

void BkgMusicLoad(const std::string& path);
void BkgMusicStop();
void BkgMusicResume();
void BkgMusicSetVolume(int16_t volume);
void BkgMusicSetPan(int16_t pan);
void BkgMusicSetFrequency(int32_t frequency);
int32_t BkgMusicGetFrequency();
bool BkgMusicOpenDevice();
void BkgMusicShutdown();
