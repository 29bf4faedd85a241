// A channel's buffer: made from a wave file (decoded whole) or streamed from
// it (the music), played, stopped, moved, and its volume, pan and rate.
#include <cmath>

#include "SoundDevice.h"
#include "SoundShared.h"
#include "SoundStream.h"
#include "WaveCache.h"
#include "platform/audio/server/ServerProbe.h"
#include "platform/audio/server/ServerVoice.h"

using soundshared::ClearError;
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

namespace {
bool MakeSources(ALuint src[2]) {
    ClearError();
    alGenSources(2, src);
    if (alGetError() != AL_NO_ERROR) {
        src[0] = src[1] = 0;
        return false;
    }
    for (int i = 0; i < 2; ++i) {
        alSourcei(src[i], AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
        alSourcei(src[i], AL_SOURCE_RELATIVE, AL_TRUE);
    }
    return true;
}
}  // namespace

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
    if (!MakeSources(b->src_)) return nullptr;
    alSourcei(b->src_[0], AL_BUFFER, static_cast<ALint>(w->left));
    alSourcei(b->src_[1], AL_BUFFER, static_cast<ALint>(w->right));
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
    if (src_[0]) {
        alSourceStopv(2, src_);
        alSourcei(src_[0], AL_BUFFER, 0);
        alSourcei(src_[1], AL_BUFFER, 0);
        alDeleteSources(2, src_);
    }
    stream_.reset();
}

void DirectSoundBuffer::DeviceLost() {
    src_[0] = src_[1] = 0;
    // An effect's voice stays (silent) until its channel plays again; a
    // stream's goes and is made again on the next output.
    if (stream_) voice_.reset();
    else if (voice_) voice_->Abandon();
    if (stream_) stream_->Forget();
}

bool DirectSoundBuffer::Attach() {
    if (src_[0] || voice_) return true;
    if (stream_ && soundshared::Ready() && S().server) {
        voice_ = std::make_unique<ServerVoice>(stream_.get(), music_);
        ApplyGains();
        if (wantPlaying_) voice_->Play(stream_->looping);
        return true;
    }
    if (!stream_ || !soundshared::Ready() || !stream_->MakeBuffers() || !MakeSources(src_)) return false;
    ApplyGains();
    stream_->Fill(src_);
    if (wantPlaying_) {
        soundshared::Resume();
        alSourcePlayv(2, src_);
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
    if (!stream_) {
        ALint st = 0;
        alGetSourcei(src_[0], AL_SOURCE_STATE, &st);
        return st == AL_PLAYING;
    }
    if (!Attach()) return wantPlaying_;
    stream_->Refill(src_);
    if (wantPlaying_) {
        // Fed too late (a loaded machine): both sides stopped together and go on together.
        ALint st = 0, queued = 0;
        alGetSourcei(src_[0], AL_SOURCE_STATE, &st);
        alGetSourcei(src_[0], AL_BUFFERS_QUEUED, &queued);
        if (st == AL_STOPPED && queued > 0) alSourcePlayv(2, src_);
        else if (st == AL_STOPPED) wantPlaying_ = false;  // a stream that does not loop has ended
    }
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
    if (!src_[0]) return;
    // Both sides change in the same mix period.
    alDeferUpdatesSOFT();
    alSourcef(src_[0], AL_GAIN, static_cast<ALfloat>(base * gl));
    alSourcef(src_[1], AL_GAIN, static_cast<ALfloat>(base * gr));
    alSourcef(src_[0], AL_PITCH, static_cast<ALfloat>(double(freq_) / rate_));
    alSourcef(src_[1], AL_PITCH, static_cast<ALfloat>(double(freq_) / rate_));
    alProcessUpdatesSOFT();
}

bool DirectSoundBuffer::Play(int flags) {
    std::lock_guard lock(soundshared::Lock());
    if (voice_) {
        wantPlaying_ = true;
        return voice_->Play(flags & kLooping);
    }
    if (stream_) {
        stream_->looping = flags & kLooping;
        wantPlaying_ = true;
        soundshared::S().wake.notify_all();
        if (!Attach()) return true;  // it sounds once the device is there
        if (voice_) return true;     // attached to the sound server, which plays it
        ALint st = 0;
        alGetSourcei(src_[0], AL_SOURCE_STATE, &st);
        if (st == AL_STOPPED || st == AL_INITIAL) stream_->Fill(src_);
        soundshared::Resume();
        ClearError();
        alSourcePlayv(2, src_);
        return alGetError() == AL_NO_ERROR;
    }
    const ALint loop = (flags & kLooping) ? AL_TRUE : AL_FALSE;
    soundshared::Resume();
    ClearError();
    alSourcei(src_[0], AL_LOOPING, loop);
    alSourcei(src_[1], AL_LOOPING, loop);
    alSourcePlayv(2, src_);  // a paused pair resumes where it stood
    return alGetError() == AL_NO_ERROR;
}

bool DirectSoundBuffer::Stop() {
    std::lock_guard lock(soundshared::Lock());
    wantPlaying_ = false;
    if (voice_) voice_->Stop();
    if (!src_[0]) return true;
    ClearError();
    alSourcePausev(2, src_);
    return alGetError() == AL_NO_ERROR;
}

bool DirectSoundBuffer::SetCurrentPosition(long pos) {
    std::lock_guard lock(soundshared::Lock());
    if (voice_) {
        voice_->Seek(pos);
        return true;
    }
    if (stream_) {
        if (!src_[0]) return true;  // a stream not yet attached starts from its beginning
        stream_->Seek(src_, pos);
        stream_->Fill(src_);
        if (wantPlaying_) alSourcePlayv(2, src_);
        return true;
    }
    ClearError();
    alDeferUpdatesSOFT();
    alSourcei(src_[0], AL_SAMPLE_OFFSET, static_cast<ALint>(pos));
    alSourcei(src_[1], AL_SAMPLE_OFFSET, static_cast<ALint>(pos));
    alProcessUpdatesSOFT();
    return alGetError() == AL_NO_ERROR;
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
    ALint st = 0;
    alGetSourcei(src_[0], AL_SOURCE_STATE, &st);
    return st == AL_PLAYING;
}