#pragma once
// Inside the sound device layer: the effects' decoded waves, kept by path
// and file stamp, so a changed file is read again. Under the device lock.
#include <AL/al.h>

#include <string>

namespace wavecache {

// A decoded wave: two stereo buffers, the left channel beside silence and
// silence beside the right channel, played on two sources locked together.
struct Wave {
    ALuint left = 0, right = 0;
    long rate = 0;
    long long stamp = 0;
    long long size = 0;
};

// The wave of a file (at most its first `maxSeconds`, when given); nullptr
// when the file is missing or no readable wave file.
const Wave* Load(const std::string& path, long maxSeconds);
// Forget every wave (buffers a playing channel still holds go once it is done).
void Clear();

}  // namespace wavecache
