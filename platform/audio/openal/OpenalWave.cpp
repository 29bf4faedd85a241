#include "OpenalWave.h"

#include "OpenalCalls.h"
#include "platform/audio/waves/Mixdown.h"

namespace openalwave {
namespace {
// Buffers of a changed or forgotten wave that a playing channel still holds
// cannot be deleted yet; they wait here until no source uses them.
std::vector<ALuint>& Retired() {
    static std::vector<ALuint> r;
    return r;
}

void DeleteWhenFree(std::vector<ALuint> buffers) {
    std::vector<ALuint> busy;
    for (ALuint b : buffers) {
        alGetError();
        alDeleteBuffers(1, &b);
        if (alGetError() != AL_NO_ERROR && alIsBuffer(b)) busy.push_back(b);
    }
    Retired() = std::move(busy);
    alGetError();
}
}  // namespace

bool Make(const std::vector<float>& stereo, long rate, OpenalWave& w) {
    const auto [l, r] = mixdown::SidesApart(stereo);
    alGetError();
    alGenBuffers(1, &w.left);
    alGenBuffers(1, &w.right);
    const ALsizei bytes = static_cast<ALsizei>(l.size() * sizeof(float));
    alBufferData(w.left, AL_FORMAT_STEREO_FLOAT32, l.data(), bytes, static_cast<ALsizei>(rate));
    alBufferData(w.right, AL_FORMAT_STEREO_FLOAT32, r.data(), bytes, static_cast<ALsizei>(rate));
    if (alGetError() == AL_NO_ERROR) return true;
    Release(w);
    w = {};
    return false;
}

void Release(const OpenalWave& w) {
    std::vector<ALuint> all = Retired();
    all.push_back(w.left);
    all.push_back(w.right);
    DeleteWhenFree(std::move(all));
}

void DeleteFreed() {
    if (!Retired().empty()) DeleteWhenFree(Retired());
}

void Forget() { Retired().clear(); }
}  // namespace openalwave
