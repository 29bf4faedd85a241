#pragma once
// A decoded wave on OpenAL's device: two stereo buffers, the left channel
// beside silence and silence beside the right channel, played on two
// sources locked together so the pan moves each side alone.
#include <vector>

struct OpenalWave {
    unsigned left = 0, right = 0;
};

namespace openalwave {
// The buffers of interleaved stereo frames at `rate`; false (nothing made)
// when the device refuses them.
bool Make(const std::vector<float>& stereo, long rate, OpenalWave& wave);
// Deleted now, or once no source plays them any more.
void Release(const OpenalWave& wave);
// Deletes the released buffers no source plays any more.
void DeleteFreed();
// The device went away with every buffer: forget them without deleting.
void Forget();
}  // namespace openalwave
