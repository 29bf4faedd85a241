#include "DirectSound.h"

BkgMusicModule& BkgMusic() {
    static BkgMusicModule m;
    return m;
}

bool BkgMusicOpenDevice() {
    BkgMusicModule& m = BkgMusic();
    if (!m.BkgRoot) m.BkgRoot = std::make_unique<DirectX7>();
    m.BkgDevice = m.BkgRoot->DirectSoundCreate("");
    if (!m.BkgDevice) return false;
    return m.BkgDevice->SetCooperativeLevel(m.mainHandle, 2);
}

void BkgMusicShutdown() {
    BkgMusicModule& m = BkgMusic();
    if (m.BkgBuffer) m.BkgBuffer->Stop();
    m.BkgBuffer.reset();
    m.BkgDevice.reset();
    m.BkgRoot.reset();
}

void BkgMusicLoad(const std::string& path) {
    BkgMusicModule& m = BkgMusic();
    m.BkgMusicPath = path;
    auto fail = [&m] {
        BkgMusicShutdown();
        m.BkgMusicLoaded = false;
    };
    if (m.BkgBuffer && !m.BkgBuffer->Stop()) return fail();
    m.BkgBuffer.reset();
    if (!BkgMusicOpenDevice()) BkgMusicShutdown();
    if (!m.BkgDevice) return fail();
    m.BkgBuffer = m.BkgDevice->CreateStreamingBufferFromFile(m.BkgMusicPath);
    if (!m.BkgBuffer) return fail();
    if (m.mainFreq) *m.mainFreq = static_cast<int32_t>(m.BkgBuffer->GetFrequency());
    if (!m.BkgBuffer->Play(DirectSoundBuffer::kLooping)) return fail();
    if (!m.BkgBuffer->SetCurrentPosition(0)) return fail();
    m.BkgMusicLoaded = true;
}

void BkgMusicStop() {
    if (BkgMusic().BkgBuffer) BkgMusic().BkgBuffer->Stop();
}

void BkgMusicResume() {
    BkgMusicModule& m = BkgMusic();
    if (m.BkgMusicLoaded && m.BkgBuffer) m.BkgBuffer->Play(DirectSoundBuffer::kLooping);
}

void BkgMusicSetVolume(int16_t volume) {
    BkgMusicModule& m = BkgMusic();
    if (m.BkgMusicLoaded && m.BkgBuffer) m.BkgBuffer->SetVolume(volume);
    m.BkgMusicVolume = volume;
}

void BkgMusicSetPan(int16_t pan) {
    BkgMusicModule& m = BkgMusic();
    if (m.BkgMusicLoaded && m.BkgBuffer) m.BkgBuffer->SetPan(pan);
}

void BkgMusicSetFrequency(int32_t frequency) {
    BkgMusicModule& m = BkgMusic();
    if (m.BkgMusicLoaded && m.BkgBuffer) m.BkgBuffer->SetFrequency(frequency);
}

int32_t BkgMusicGetFrequency() {
    BkgMusicModule& m = BkgMusic();
    return m.BkgBuffer ? static_cast<int32_t>(m.BkgBuffer->GetFrequency()) : 0;
}
