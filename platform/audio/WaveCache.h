#pragma once
// Inside the sound device layer: the effects' decoded waves, kept by path
// and file stamp, so a changed file is read again. Under the device lock.
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/openal/OpenalWave.h"

namespace wavecache {

// A decoded wave. For OpenAL: two stereo buffers, the left channel beside
// silence and silence beside the right channel, played on two sources locked
// together. For the sound server: the interleaved stereo frames.
struct Wave {
    OpenalWave al;
    std::shared_ptr<const std::vector<float>> frames;
    long rate = 0;
    long long stamp = 0;
    long long size = 0;
};

// Effects up to this long are decoded whole and kept; longer ones are
// streamed from their file as they play.
inline constexpr long kKeptSeconds = 10;

// The wave of a file, all its channels mixed down to two; nullptr when the
// file is missing, no readable wave file, or longer than is kept (then
// `*tooLong` is set).
const Wave* Load(const std::string& path, bool* tooLong = nullptr, bool forServer = false);
// Forget every wave (buffers a playing channel still holds go once it is done).
void Clear();
// The device went away with every buffer: forget them without deleting.
void Forget();

}  // namespace wavecache
