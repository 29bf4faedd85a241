// A channel's buffer: made from a wave file (decoded whole) or streamed from
// it (the music), played, stopped, moved, and its volume, pan and rate.
#include <cmath>

#include "SoundDevice.h"
#include "SoundShared.h"
#include "SoundStream.h"
#include "WaveCache.h"
#include "platform/audio/openal/OpenalVoice.h"
#include "platform/audio/server/ServerProbe.h"
#include "platform/audio/server/ServerVoice.h"

using soundshared::S;

namespace {
// A device is there, or being opened in the background, or the desktop's
// sound server is awaited (without waiting for either).
bool DeviceThereOrComing() {
    {
        std::lock_guard lock(soundshared::Lock());
        if (soundshared::Opening()) return true;
    }
    if (sounddevice::Available()) return true;
    // Waiting for the desktop's sound server counts as coming: the music
    // sounds once it answers.
    std::lock_guard lock(soundshared::Lock());
    return !OutputMayOpen();
}
}  // namespace

std::unique_ptr<DirectSound> DirectX7::DirectSoundCreate(const std::string&) {
    if (!DeviceThereOrComing()) return nullptr;
    return std::make_unique<DirectSound>();
}

bool DirectSound::SetCooperativeLevel(long, int) { return DeviceThereOrComing(); }

std::unique_ptr<DirectSoundBuffer> DirectSound::CreateSoundBufferFromFile(const std::string& path, int) {
    if (!sounddevice::Available()) return nullptr;
    std::lock_guard lock(soundshared::Lock());
    bool tooLong = false;
    const bool server = S().server;
    const wavecache::Wave* w = wavecache::Load(path, &tooLong, server);
    // A long effect plays whole, streamed from its file like the music.
    if (!w && tooLong) return CreateStreamingBufferFromFile(path, false);
    if (!w) return nullptr;
    std::unique_ptr<DirectSoundBuffer> b(new DirectSoundBuffer);
    if (server) {
        b->voice_ = std::make_unique<ServerVoice>(w->frames, false);
        b->rate_ = b->freq_ = w->rate;
        b->ApplyGains();
        return b;
    }
    b->al_ = OpenalVoice::ForWave(w->al);
    if (!b->al_) return nullptr;
    b->rate_ = b->freq_ = w->rate;
    b->ApplyGains();
    return b;
}

std::unique_ptr<DirectSoundBuffer> DirectSound::CreateStreamingBufferFromFile(const std::string& path, bool music) {
    std::lock_guard lock(soundshared::Lock());
    SoundStream* stream = SoundStream::Open(path);
    if (!stream) return nullptr;
    std::unique_ptr<DirectSoundBuffer> b(new DirectSoundBuffer);
    b->stream_.reset(stream);
    b->music_ = music;
    b->rate_ = b->freq_ = stream->Rate();
    b->Attach();
    soundshared::StartService();
    return b;
}

DirectSoundBuffer::DirectSoundBuffer() { S().buffers.insert(this); }

DirectSoundBuffer::~DirectSoundBuffer() {
    std::lock_guard lock(soundshared::Lock());
    S().buffers.erase(this);
    voice_.reset();
    al_.reset();  // before the file it reads
    stream_.reset();
}

void DirectSoundBuffer::DeviceLost() {
    if (al_) al_->Abandon();
    al_.reset();
    // An effect's voice stays (silent) until its channel plays again; a
    // stream's goes and is made again on the next output.
    if (stream_) voice_.reset();
    else if (voice_) voice_->Abandon();
}

bool DirectSoundBuffer::Attach() {
    if (al_ || voice_) return true;
    if (stream_ && soundshared::Ready() && S().server) {
        voice_ = std::make_unique<ServerVoice>(stream_.get(), music_);
        ApplyGains();
        if (wantPlaying_) voice_->Play(stream_->looping);
        return true;
    }
    if (!stream_ || !soundshared::Ready()) return false;
    al_ = OpenalVoice::ForStream(stream_.get(), rate_);
    if (!al_) return false;
    ApplyGains();
    if (wantPlaying_) {
        soundshared::Resume();
        al_->Play(stream_->looping);
    }
    return true;
}

bool DirectSoundBuffer::Serve() {
    if (voice_) {
        // The server feeds itself; a stream it ended is made again.
        if (voice_->Failed() && stream_ && wantPlaying_) voice_->Play(stream_->looping);
        if (stream_ && !voice_->Playing() && !voice_->Failed()) wantPlaying_ = false;  // ended
        return voice_->Playing();
    }
    if (!Attach()) return wantPlaying_;
    if (voice_) return voice_->Playing();  // attached to the sound server just now
    if (!stream_) return al_->Playing();
    wantPlaying_ = al_->Feed(wantPlaying_);
    return wantPlaying_;
}

void DirectSoundBuffer::ApplyGains() {
    const double base = std::pow(10.0, volume_ / 2000.0);
    const double gl = pan_ > 0 ? std::pow(10.0, -pan_ / 2000.0) : 1.0;
    const double gr = pan_ < 0 ? std::pow(10.0, pan_ / 2000.0) : 1.0;
    if (voice_) {
        voice_->SetGains(base, gl, gr);
        voice_->SetRate(freq_);
        return;
    }
    if (al_) al_->SetGains(base * gl, base * gr, double(freq_) / rate_);
}

bool DirectSoundBuffer::Play(int flags) {
    std::lock_guard lock(soundshared::Lock());
    if (voice_) {
        wantPlaying_ = true;
        soundshared::S().wake.notify_all();  // the service looks after it while it sounds
        return voice_->Play(flags & kLooping);
    }
    if (stream_) {
        stream_->looping = flags & kLooping;
        wantPlaying_ = true;
        soundshared::S().wake.notify_all();
        if (!Attach()) return true;  // it sounds once the device is there
        if (voice_) return true;     // attached to the sound server, which plays it
        soundshared::Resume();
        return al_->Play(stream_->looping);
    }
    if (!al_) return false;  // its device went away
    soundshared::Resume();
    return al_->Play(flags & kLooping);  // a paused pair resumes where it stood
}

bool DirectSoundBuffer::Stop() {
    std::lock_guard lock(soundshared::Lock());
    wantPlaying_ = false;
    if (voice_) voice_->Stop();
    return !al_ || al_->Pause();
}

bool DirectSoundBuffer::SetCurrentPosition(long pos) {
    std::lock_guard lock(soundshared::Lock());
    if (voice_) {
        voice_->Seek(pos);
        return true;
    }
    if (stream_) {
        if (!al_) return true;  // a stream not yet attached starts from its beginning
        al_->Seek(pos);
        if (wantPlaying_) al_->Play(stream_->looping);
        return true;
    }
    return al_ && al_->Seek(pos);
}

bool DirectSoundBuffer::SetVolume(long volume) {
    if (volume > 0 || volume < -10000) return false;
    std::lock_guard lock(soundshared::Lock());
    volume_ = volume;
    ApplyGains();
    return true;
}

bool DirectSoundBuffer::SetPan(long pan) {
    if (pan > 10000 || pan < -10000) return false;
    std::lock_guard lock(soundshared::Lock());
    pan_ = pan;
    ApplyGains();
    return true;
}

bool DirectSoundBuffer::SetFrequency(long freq) {
    if (freq == 0) freq = rate_;
    if (freq < 100 || freq > 200000) return false;
    std::lock_guard lock(soundshared::Lock());
    freq_ = freq;
    ApplyGains();
    return true;
}

long DirectSoundBuffer::GetFrequency() const { return freq_; }

bool DirectSoundBuffer::Playing() const {
    std::lock_guard lock(soundshared::Lock());
    if (voice_) return voice_->Playing();
    if (stream_) return wantPlaying_;
    return al_ && al_->Playing();
}
