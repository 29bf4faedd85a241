#include "SoundDevice.h"

#include <sndfile.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdlib>
#include <future>
#include <map>
#include <optional>
#include <thread>

#include "SoundShared.h"
#include "SoundStream.h"

namespace {
using soundshared::ClearError;
using soundshared::S;
using Shared = soundshared::Shared;

// At exit the device is closed; buffers and sources still held by static
// objects go with it.
void CloseAtExit() {
    soundshared::StopService();
    Shared& s = S();
    if (!s.device) return;
    alcMakeContextCurrent(nullptr);
    if (s.context) alcDestroyContext(s.context);
    alcCloseDevice(s.device);
    s.context = nullptr;
    s.device = nullptr;
}

// A context made current on the device; nothing (the device closed) when
// it cannot be made. Touches no shared state: it may run on any thread.
ALCcontext* ContextOn(ALCdevice* device, const ALCint* attrs) {
    ALCcontext* context = alcCreateContext(device, attrs);
    if (!context || !alcMakeContextCurrent(context)) {
        if (context) alcDestroyContext(context);
        alcCloseDevice(device);
        return nullptr;
    }
    return context;
}

// The output's mixing: 44.1 kHz, mixed 60 times a second, so an effect
// starts within a frame of its event. (Measured through a PulseAudio server:
// other rates and refreshes cost the same within the noise.)
const ALCint kOutputAttrs[] = {ALC_FREQUENCY, 44100, ALC_REFRESH, 60, 0};

// The device and its context become the program's. Under the lock.
bool Adopt(ALCdevice* device, ALCcontext* context) {
    if (!device || !context) return false;
    Shared& s = S();
    s.device = device;
    s.context = context;
    ++s.opens;
    std::atexit(CloseAtExit);
    return true;
}

bool MakeContext(ALCdevice* device, const ALCint* attrs) { return Adopt(device, ContextOn(device, attrs)); }

// A decoded wave: two stereo buffers, the left channel beside silence and
// silence beside the right channel, played on two sources locked together.
struct Wave {
    ALuint left = 0, right = 0;
    long rate = 0;
    long long stamp = 0;
    long long size = 0;
};
std::map<std::string, Wave>& Cache() {
    static std::map<std::string, Wave> c;
    return c;
}


// Buffers of a changed or forgotten wave that a playing channel still holds
// cannot be deleted yet; they wait here until no source uses them.
std::vector<ALuint>& Retired() {
    static std::vector<ALuint> r;
    return r;
}

void DeleteWhenFree(std::vector<ALuint> buffers) {
    std::vector<ALuint> busy;
    for (ALuint b : buffers) {
        ClearError();
        alDeleteBuffers(1, &b);
        if (alGetError() != AL_NO_ERROR && alIsBuffer(b)) busy.push_back(b);
    }
    Retired() = std::move(busy);
    ClearError();
}

void Release(const Wave& w) {
    std::vector<ALuint> all = Retired();
    all.push_back(w.left);
    all.push_back(w.right);
    DeleteWhenFree(std::move(all));
}

bool Stamp(const std::string& path, long long& mtime, long long& size) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    mtime = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    size = st.st_size;
    return true;
}

// A file's samples as the two buffers want them: (left, silence) and
// (silence, right) pairs. Plain data: it can be made on any thread.
struct Decoded {
    std::vector<float> l, r;
    long rate = 0;
    long long stamp = 0, size = 0;
};

std::optional<Decoded> Decode(const std::string& path, long long mtime, long long size, long maxSeconds = 0) {
    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    if (!f) return std::nullopt;
    // A header without frames is no sound either.
    if (info.frames <= 0 || info.channels < 1 || info.channels > 8 || info.samplerate <= 0 ||
        info.frames > 48000LL * 60 * 20) {
        sf_close(f);
        return std::nullopt;
    }
    // Only what is kept is read: at most `maxSeconds`, and of the channels
    // only the first two, a block at a time.
    sf_count_t frames = info.frames;
    if (maxSeconds > 0 && frames > sf_count_t(maxSeconds) * info.samplerate) frames = sf_count_t(maxSeconds) * info.samplerate;
    Decoded d;
    d.rate = info.samplerate;
    d.stamp = mtime;
    d.size = size;
    d.l.reserve(static_cast<size_t>(frames) * 2);
    d.r.reserve(static_cast<size_t>(frames) * 2);
    constexpr sf_count_t kBlock = 4096;
    std::vector<float> in(static_cast<size_t>(kBlock * info.channels));
    sf_count_t done = 0;
    while (done < frames) {
        const sf_count_t got = sf_readf_float(f, in.data(), std::min(kBlock, frames - done));
        if (got <= 0) break;
        for (sf_count_t i = 0; i < got; ++i) {
            const float a = in[static_cast<size_t>(i * info.channels)];
            const float b = info.channels > 1 ? in[static_cast<size_t>(i * info.channels + 1)] : a;
            d.l.push_back(a);
            d.l.push_back(0.0f);
            d.r.push_back(0.0f);
            d.r.push_back(b);
        }
        done += got;
    }
    sf_close(f);
    if (done <= 0) return std::nullopt;
    return d;
}

const Wave* Load(const std::string& path, long maxSeconds) {
    long long mtime = 0, size = 0;
    if (!Stamp(path, mtime, size)) return nullptr;
    auto& cache = Cache();
    const std::string key = maxSeconds > 0 ? path + "\n" + std::to_string(maxSeconds) : path;
    auto it = cache.find(key);
    if (it != cache.end()) {
        if (it->second.stamp == mtime && it->second.size == size) return &it->second;
        Release(it->second);  // the file changed: read it again
        cache.erase(it);
    }
    if (!Retired().empty()) DeleteWhenFree(Retired());
    const std::optional<Decoded> d = Decode(path, mtime, size, maxSeconds);
    if (!d) return nullptr;
    const std::vector<float>& l = d->l;
    const std::vector<float>& r = d->r;
    Wave w;
    w.rate = d->rate;
    w.stamp = mtime;
    w.size = size;
    ClearError();
    alGenBuffers(1, &w.left);
    alGenBuffers(1, &w.right);
    const ALsizei bytes = static_cast<ALsizei>(l.size() * sizeof(float));
    alBufferData(w.left, AL_FORMAT_STEREO_FLOAT32, l.data(), bytes, static_cast<ALsizei>(d->rate));
    alBufferData(w.right, AL_FORMAT_STEREO_FLOAT32, r.data(), bytes, static_cast<ALsizei>(d->rate));
    if (alGetError() != AL_NO_ERROR) {
        Release(w);
        return nullptr;
    }
    return &(cache[key] = w);
}
}  // namespace

namespace soundshared {
Shared& S() {
    static Shared s;
    return s;
}

std::recursive_mutex& Lock() {
    static std::recursive_mutex m;
    return m;
}

bool Ready() {
    Shared& s = S();
    if (s.device) return true;
    if (s.opening.valid() && s.opening.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
        const auto [device, context] = s.opening.get();
        Adopt(device, context);
    }
    return s.device != nullptr;
}

bool Opening() { return !S().device && S().opening.valid(); }

namespace {
// A real output, not the tests' loopback.
bool Pausable() {
    Shared& s = S();
    return !s.loopback && s.device;
}
}  // namespace

void Resume() {
    Shared& s = S();
    if (!s.paused) return;
    if (Pausable()) alcDeviceResumeSOFT(s.device);
    s.paused = false;
    s.wake.notify_all();
}

void Service() {
    Shared& s = S();
    if (!Ready()) return;
    bool sounding = false;
    for (DirectSoundBuffer* b : s.buffers) sounding = b->Serve() || sounding;
    if (sounding) s.sounded = true;
    // Not before the first sound: a device paused before it has mixed
    // anything spoils the header of OpenAL's wave-file output.
    if (!sounding && !s.paused && s.sounded) {
        if (Pausable()) alcDevicePauseSOFT(s.device);
        s.paused = true;
    }
}

std::thread& ServiceThread() {
    static std::thread t;
    return t;
}

void StartService() {
    if (ServiceThread().joinable() || S().loopback) return;
    ServiceThread() = std::thread([] {
        std::unique_lock lock(Lock());
        while (!S().quit) {
            Service();
            // Paused with nothing to feed, or without any device: asleep
            // until something plays.
            if (S().paused || (!Ready() && !Opening())) S().wake.wait(lock);
            else S().wake.wait_for(lock, std::chrono::milliseconds(20));
        }
    });
    std::atexit(StopService);
}

void StopService() {
    if (!ServiceThread().joinable()) return;
    {
        std::lock_guard lock(Lock());
        S().quit = true;
    }
    S().wake.notify_all();
    ServiceThread().join();
}
}  // namespace soundshared

namespace sounddevice {
bool Available() {
    std::lock_guard lock(soundshared::Lock());
    Shared& s = S();
    if (s.device) return true;
    if (s.opening.valid()) {  // the background open, waited for
        const auto [device, context] = s.opening.get();
        return Adopt(device, context);
    }
    if (s.tried) return false;
    s.tried = true;  // without sound, open once and never again
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device) return false;
    return MakeContext(device, kOutputAttrs);
}

void OpenInBackground() {
    std::lock_guard lock(soundshared::Lock());
    Shared& s = S();
    if (s.device || s.tried) return;
    s.tried = true;
    s.opening = std::async(std::launch::async, [] {
        ALCdevice* device = alcOpenDevice(nullptr);
        ALCcontext* context = device ? ContextOn(device, kOutputAttrs) : nullptr;
        // The service thread picks it up at its next round (20 ms at most).
        return std::pair<ALCdevice*, ALCcontext*>{context ? device : nullptr, context};
    });
    soundshared::StartService();
}

bool UseLoopback(int rate) {
    std::lock_guard lock(soundshared::Lock());
    Shared& s = S();
    if (s.device) return s.loopback;
    s.tried = true;
    ALCdevice* device = alcLoopbackOpenDeviceSOFT(nullptr);
    if (!device) return false;
    const ALCint attrs[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT,
                            ALC_FREQUENCY, rate, ALC_HRTF_SOFT, ALC_FALSE, 0};
    s.loopback = MakeContext(device, attrs);
    return s.loopback;
}

std::vector<float> Render(int frames) {
    std::lock_guard lock(soundshared::Lock());
    std::vector<float> out(static_cast<size_t>(frames) * 2, 0.0f);
    if (!S().loopback) return out;
    // The tests' clock: the service runs between small slices, as its thread
    // would while a real device plays.
    constexpr int kSlice = 1024;
    for (int done = 0; done < frames; done += kSlice) {
        soundshared::Service();
        alcRenderSamplesSOFT(S().device, out.data() + 2 * done, std::min(kSlice, frames - done));
    }
    return out;
}

bool DevicePaused() {
    std::lock_guard lock(soundshared::Lock());
    return S().paused;
}

int DeviceOpens() { return S().opens; }

void ClearCache() {
    for (auto& [p, w] : Cache()) Release(w);
    Cache().clear();
}
}  // namespace sounddevice

namespace {
// A device is there, or being opened in the background (without waiting for it).
bool DeviceThereOrComing() {
    {
        std::lock_guard lock(soundshared::Lock());
        if (soundshared::Opening()) return true;
    }
    return sounddevice::Available();
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

std::unique_ptr<DirectSoundBuffer> DirectSound::CreateSoundBufferFromFile(const std::string& path, int,
                                                                          long maxSeconds) {
    if (!sounddevice::Available()) return nullptr;
    std::lock_guard lock(soundshared::Lock());
    const Wave* w = Load(path, maxSeconds);
    if (!w) return nullptr;
    std::unique_ptr<DirectSoundBuffer> b(new DirectSoundBuffer);
    if (!MakeSources(b->src_)) return nullptr;
    alSourcei(b->src_[0], AL_BUFFER, static_cast<ALint>(w->left));
    alSourcei(b->src_[1], AL_BUFFER, static_cast<ALint>(w->right));
    b->rate_ = b->freq_ = w->rate;
    b->ApplyGains();
    return b;
}

std::unique_ptr<DirectSoundBuffer> DirectSound::CreateStreamingBufferFromFile(const std::string& path) {
    std::lock_guard lock(soundshared::Lock());
    SoundStream* stream = SoundStream::Open(path);
    if (!stream) return nullptr;
    std::unique_ptr<DirectSoundBuffer> b(new DirectSoundBuffer);
    b->stream_.reset(stream);
    b->rate_ = b->freq_ = stream->Rate();
    b->Attach();
    soundshared::StartService();
    return b;
}

DirectSoundBuffer::DirectSoundBuffer() { S().buffers.insert(this); }

DirectSoundBuffer::~DirectSoundBuffer() {
    std::lock_guard lock(soundshared::Lock());
    S().buffers.erase(this);
    if (src_[0]) {
        alSourceStopv(2, src_);
        alSourcei(src_[0], AL_BUFFER, 0);
        alSourcei(src_[1], AL_BUFFER, 0);
        alDeleteSources(2, src_);
    }
    stream_.reset();
}

bool DirectSoundBuffer::Attach() {
    if (src_[0]) return true;
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
    if (!src_[0]) return;
    const double base = std::pow(10.0, volume_ / 2000.0);
    const double gl = pan_ > 0 ? std::pow(10.0, -pan_ / 2000.0) : 1.0;
    const double gr = pan_ < 0 ? std::pow(10.0, pan_ / 2000.0) : 1.0;
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
    if (stream_) {
        stream_->looping = flags & kLooping;
        wantPlaying_ = true;
        soundshared::S().wake.notify_all();
        if (!Attach()) return true;  // it sounds once the device is there
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
    if (!src_[0]) return true;
    ClearError();
    alSourcePausev(2, src_);
    return alGetError() == AL_NO_ERROR;
}

bool DirectSoundBuffer::SetCurrentPosition(long pos) {
    std::lock_guard lock(soundshared::Lock());
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
    if (stream_) return wantPlaying_;
    ALint st = 0;
    alGetSourcei(src_[0], AL_SOURCE_STATE, &st);
    return st == AL_PLAYING;
}
