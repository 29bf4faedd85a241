#include "WaveCache.h"

#include <sys/stat.h>

#include <map>
#include <optional>
#include <vector>

#include "SoundDevice.h"
#include "SoundStream.h"

namespace wavecache {
namespace {

std::map<std::string, Wave>& Cache() {
    static std::map<std::string, Wave> c;
    return c;
}

void Release(const Wave& w) {
    if (!w.frames) openalwave::Release(w.al);  // the server's frames go with the last stream that plays them
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
    const std::unique_ptr<SoundStream> file(SoundStream::Open(path));
    if (!file) return std::nullopt;
    // A longer effect is streamed as it plays: what is kept stays small.
    tooLong = file->Frames() > static_cast<long long>(kKeptSeconds) * file->Rate();
    if (tooLong) return std::nullopt;
    Decoded d;
    d.rate = file->Rate();
    d.stamp = mtime;
    d.size = size;
    d.stereo.resize(static_cast<size_t>(file->Frames()) * 2);
    const long done = file->ReadStereo(d.stereo.data(), static_cast<long>(file->Frames()));
    if (done <= 0) return std::nullopt;
    d.stereo.resize(static_cast<size_t>(done) * 2);
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
    openalwave::DeleteFreed();
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
    if (!openalwave::Make(d->stereo, d->rate, w.al)) return nullptr;
    return &(cache[path] = w);
}

void Forget() {
    Cache().clear();
    openalwave::Forget();
}

void Clear() {
    for (auto& [p, w] : Cache()) Release(w);
    Cache().clear();
}
}  // namespace wavecache

void sounddevice::ClearCache() { wavecache::Clear(); }
