#include "WaveCache.h"

#include <sndfile.h>
#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "Mixdown.h"
#include "SoundDevice.h"
#include "SoundShared.h"
#include "WaveFile.h"

namespace wavecache {
namespace {
using soundshared::ClearError;

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
    if (w.frames) return;  // the server's frames go with the last stream that plays them
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

// A file's samples mixed down to interleaved stereo. Plain data: it can be
// made on any thread.
struct Decoded {
    std::vector<float> stereo;
    long rate = 0;
    long long stamp = 0, size = 0;
};

std::optional<Decoded> Decode(const std::string& path, long long mtime, long long size, bool& tooLong) {
    SF_INFO info{};
    SNDFILE* f = OpenWaveFile(path, info);
    if (!f) return std::nullopt;
    // A header without frames is no sound either.
    if (info.frames <= 0 || info.channels < 1 || info.channels > kMostChannels || info.samplerate <= 0) {
        sf_close(f);
        return std::nullopt;
    }
    // A longer effect is streamed as it plays: what is kept stays small.
    tooLong = info.frames > sf_count_t(kKeptSeconds) * info.samplerate;
    if (tooLong) {
        sf_close(f);
        return std::nullopt;
    }
    const sf_count_t frames = info.frames;
    Decoded d;
    d.rate = info.samplerate;
    d.stamp = mtime;
    d.size = size;
    d.stereo.reserve(static_cast<size_t>(frames) * 2);
    constexpr sf_count_t kBlock = 4096;
    std::vector<float> in(static_cast<size_t>(kBlock * info.channels));
    sf_count_t done = 0;
    while (done < frames) {
        const sf_count_t got = sf_readf_float(f, in.data(), std::min(kBlock, frames - done));
        if (got <= 0) break;
        for (sf_count_t i = 0; i < got; ++i) {
            float a = 0, b = 0;
            mixdown::Frame(&in[static_cast<size_t>(i * info.channels)], info.channels, a, b);
            d.stereo.push_back(a);
            d.stereo.push_back(b);
        }
        done += got;
    }
    sf_close(f);
    if (done <= 0) return std::nullopt;
    return d;
}

}  // namespace

const Wave* Load(const std::string& path, bool* tooLong, bool forServer) {
    long long mtime = 0, size = 0;
    if (!Stamp(path, mtime, size)) return nullptr;
    auto& cache = Cache();
    auto it = cache.find(path);
    if (it != cache.end()) {
        const bool sameOutput = (it->second.frames != nullptr) == forServer;
        if (it->second.stamp == mtime && it->second.size == size && sameOutput) return &it->second;
        Release(it->second);  // the file changed: read it again
        cache.erase(it);
    }
    if (!Retired().empty()) DeleteWhenFree(Retired());
    bool longOne = false;
    std::optional<Decoded> d = Decode(path, mtime, size, longOne);
    if (tooLong) *tooLong = longOne;
    if (!d) return nullptr;
    Wave w;
    w.rate = d->rate;
    w.stamp = mtime;
    w.size = size;
    if (forServer) {
        w.frames = std::make_shared<const std::vector<float>>(std::move(d->stereo));
        return &(cache[path] = w);
    }
    // OpenAL's two buffers: (left, silence) and (silence, right) pairs.
    std::vector<float> l(d->stereo.size(), 0.0f), r(d->stereo.size(), 0.0f);
    for (size_t i = 0; i < d->stereo.size(); i += 2) {
        l[i] = d->stereo[i];
        r[i + 1] = d->stereo[i + 1];
    }
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
    return &(cache[path] = w);
}

void Forget() {
    Cache().clear();
    Retired().clear();
}

void Clear() {
    for (auto& [p, w] : Cache()) Release(w);
    Cache().clear();
}
}  // namespace wavecache

void sounddevice::ClearCache() { wavecache::Clear(); }
