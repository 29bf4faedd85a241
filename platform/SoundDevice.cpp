#define AL_ALEXT_PROTOTYPES
#include "SoundDevice.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <sndfile.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdlib>
#include <future>
#include <map>
#include <optional>

namespace {
struct Shared {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    bool tried = false;
    bool loopback = false;
    int opens = 0;
};
Shared& S() {
    static Shared s;
    return s;
}

// At exit the device is closed; buffers and sources still held by static
// objects go with it.
void CloseAtExit() {
    Shared& s = S();
    if (!s.device) return;
    alcMakeContextCurrent(nullptr);
    if (s.context) alcDestroyContext(s.context);
    alcCloseDevice(s.device);
    s.context = nullptr;
    s.device = nullptr;
}

bool MakeContext(const ALCint* attrs) {
    Shared& s = S();
    s.context = alcCreateContext(s.device, attrs);
    if (!s.context || !alcMakeContextCurrent(s.context)) {
        if (s.context) alcDestroyContext(s.context);
        alcCloseDevice(s.device);
        s.device = nullptr;
        s.context = nullptr;
        return false;
    }
    std::atexit(CloseAtExit);
    return true;
}

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

// Every check of an operation looks at its own error only: one left by an
// earlier call is taken off first.
void ClearError() { alGetError(); }

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

// A wave being decoded in the background since start-up.
struct Prefetch {
    std::string path;
    std::future<std::optional<Decoded>> result;
};
Prefetch& Pending() {
    static Prefetch p;
    return p;
}

// The samples of the file as it is now: the background decode when it read
// this very file, otherwise read here.
std::optional<Decoded> Samples(const std::string& path, long long mtime, long long size, long maxSeconds) {
    Prefetch& p = Pending();
    if (maxSeconds == 0 && p.result.valid() && p.path == path) {
        std::optional<Decoded> d = p.result.get();
        if (d && d->stamp == mtime && d->size == size) return d;
    }
    return Decode(path, mtime, size, maxSeconds);
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
    const std::optional<Decoded> d = Samples(path, mtime, size, maxSeconds);
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

namespace sounddevice {
bool Available() {
    Shared& s = S();
    if (s.device) return true;
    if (s.tried) return false;
    s.tried = true;  // without sound, open once and never again
    s.device = alcOpenDevice(nullptr);
    if (!s.device) return false;
    ++s.opens;
    return MakeContext(nullptr);
}

bool UseLoopback(int rate) {
    Shared& s = S();
    if (s.device) return s.loopback;
    s.tried = true;
    s.device = alcLoopbackOpenDeviceSOFT(nullptr);
    if (!s.device) return false;
    const ALCint attrs[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT,
                            ALC_FREQUENCY, rate, ALC_HRTF_SOFT, ALC_FALSE, 0};
    s.loopback = MakeContext(attrs);
    return s.loopback;
}

std::vector<float> Render(int frames) {
    std::vector<float> out(static_cast<size_t>(frames) * 2, 0.0f);
    if (S().loopback) alcRenderSamplesSOFT(S().device, out.data(), frames);
    return out;
}

int DeviceOpens() { return S().opens; }

void Prefetch(const std::string& path) {
    long long mtime = 0, size = 0;
    if (!Stamp(path, mtime, size)) return;
    ::Prefetch& p = Pending();
    if (p.result.valid()) return;
    p.path = path;
    p.result = std::async(std::launch::async, [path, mtime, size] { return Decode(path, mtime, size); });
}

void ClearCache() {
    for (auto& [p, w] : Cache()) Release(w);
    Cache().clear();
}
}  // namespace sounddevice

std::unique_ptr<DirectSound> DirectX7::DirectSoundCreate(const std::string&) {
    if (!sounddevice::Available()) return nullptr;
    return std::make_unique<DirectSound>();
}

bool DirectSound::SetCooperativeLevel(long, int) { return sounddevice::Available(); }

std::unique_ptr<DirectSoundBuffer> DirectSound::CreateSoundBufferFromFile(const std::string& path, int,
                                                                          long maxSeconds) {
    if (!sounddevice::Available()) return nullptr;
    const Wave* w = Load(path, maxSeconds);
    if (!w) return nullptr;
    std::unique_ptr<DirectSoundBuffer> b(new DirectSoundBuffer);
    ClearError();
    alGenSources(2, b->src_);
    if (alGetError() != AL_NO_ERROR) return nullptr;
    const ALuint bufs[2] = {w->left, w->right};
    for (int i = 0; i < 2; ++i) {
        alSourcei(b->src_[i], AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
        alSourcei(b->src_[i], AL_SOURCE_RELATIVE, AL_TRUE);
        alSourcei(b->src_[i], AL_BUFFER, static_cast<ALint>(bufs[i]));
    }
    b->rate_ = b->freq_ = w->rate;
    b->ApplyGains();
    return b;
}

DirectSoundBuffer::~DirectSoundBuffer() {
    if (src_[0]) {
        alSourceStopv(2, src_);
        alDeleteSources(2, src_);
    }
}

void DirectSoundBuffer::ApplyGains() {
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
    const ALint loop = (flags & kLooping) ? AL_TRUE : AL_FALSE;
    ClearError();
    alSourcei(src_[0], AL_LOOPING, loop);
    alSourcei(src_[1], AL_LOOPING, loop);
    alSourcePlayv(2, src_);  // a paused pair resumes where it stood
    return alGetError() == AL_NO_ERROR;
}

bool DirectSoundBuffer::Stop() {
    ClearError();
    alSourcePausev(2, src_);
    return alGetError() == AL_NO_ERROR;
}

bool DirectSoundBuffer::SetCurrentPosition(long pos) {
    ClearError();
    alDeferUpdatesSOFT();
    alSourcei(src_[0], AL_SAMPLE_OFFSET, static_cast<ALint>(pos));
    alSourcei(src_[1], AL_SAMPLE_OFFSET, static_cast<ALint>(pos));
    alProcessUpdatesSOFT();
    return alGetError() == AL_NO_ERROR;
}

bool DirectSoundBuffer::SetVolume(long volume) {
    if (volume > 0 || volume < -10000) return false;
    volume_ = volume;
    ApplyGains();
    return true;
}

bool DirectSoundBuffer::SetPan(long pan) {
    if (pan > 10000 || pan < -10000) return false;
    pan_ = pan;
    ApplyGains();
    return true;
}

bool DirectSoundBuffer::SetFrequency(long freq) {
    if (freq == 0) freq = rate_;
    if (freq < 100 || freq > 200000) return false;
    freq_ = freq;
    ApplyGains();
    return true;
}

long DirectSoundBuffer::GetFrequency() const { return freq_; }

bool DirectSoundBuffer::Playing() const {
    ALint st = 0;
    alGetSourcei(src_[0], AL_SOURCE_STATE, &st);
    return st == AL_PLAYING;
}
