#pragma once
// A sound effect channel: one wave file played once per call, with its own
// volume, frequency and enabled flag, under the main window's master switch.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/audio/SoundDevice.h"

class clsDMCtrl {
public:
    // masterSwitch: the main window's EnableSoundControl.
    explicit clsDMCtrl(const bool* masterSwitch = nullptr, long mainHandle = 0)
        : master_(masterSwitch), hwnd_(mainHandle) {}

    void DMCtrlPlay();

    const std::string& DMCtrlPath() const { return path_; }
    void DMCtrlPath(const std::string& NewPath) { path_ = NewPath; }
    int16_t DMCtrlVolume() const { return volume_; }
    void DMCtrlVolume(int16_t NewVolume) { volume_ = NewVolume; }
    bool DMCtrlEnabled() const { return enabled_; }
    void DMCtrlEnabled(bool NewEnable) { enabled_ = NewEnable; }
    int32_t DMCtrlFreq() const { return freq_; }
    void DMCtrlFreq(int32_t f) { freq_ = f; }

    bool Sounding() const { return Buffer && Buffer->Playing(); }

    std::unique_ptr<DirectX7> Root;
    std::unique_ptr<DirectSound> Device;
    std::unique_ptr<DirectSoundBuffer> Buffer;

private:
    bool OpenDevice();
    void ReleaseDevice();

    int16_t volume_ = 0;
    std::string path_;
    bool enabled_ = false;
    int32_t freq_ = 0;
    const bool* master_;
    long hwnd_;
};
