#include "clsDMCtrl.h"

bool clsDMCtrl::OpenDevice() {
    if (!Root) Root = std::make_unique<DirectX7>();
    Device = Root->DirectSoundCreate("");
    return Device && Device->SetCooperativeLevel(hwnd_, 2);
}

void clsDMCtrl::ReleaseDevice() {
    if (Buffer) Buffer->Stop();
    Buffer.reset();
    Device.reset();
    Root.reset();
}

void clsDMCtrl::DMCtrlPlay() {
    if ((master_ && !*master_) || !enabled_) return;
    if (Buffer) {
        if (!Buffer->Stop()) {
            ReleaseDevice();
            return;
        }
        Buffer.reset();
    }
    // From here on a failed step leaves its result absent.
    if (!OpenDevice()) ReleaseDevice();
    if (!Device) return;
    // The whole file plays, however long (a long one is streamed).
    Buffer = Device->CreateSoundBufferFromFile(path_, 0x80E0);
    if (!Buffer) return;
    Buffer->SetVolume(volume_);
    Buffer->SetFrequency(freq_);
    if (freq_ == 0) freq_ = static_cast<int32_t>(Buffer->GetFrequency());
    Buffer->Play(0);
}
