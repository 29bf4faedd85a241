#pragma once
// A sound read from its file as it plays (the music, a long effect): all
// its channels mixed down to interleaved stereo, joined at the loop, for
// whichever output plays it. Memory does not depend on the file's length.
#include <sndfile.h>

#include <string>

#include "platform/audio/waves/StereoSource.h"

class SoundStream : public StereoSource {
public:
    static constexpr int kMostChannels = 64;  // a file with more is no sound
    static constexpr sf_count_t kReadFrames = 8192;

    // Opens the file; nothing when it is not a readable wave file.
    static SoundStream* Open(const std::string& path);
    ~SoundStream() override;

    long Rate() const { return rate_; }
    long long Frames() const { return frames_; }
    // Up to `frames` frames from the file's position, mixed down to
    // interleaved stereo, joined at the loop; how many there were (0 at the
    // end of a stream that does not loop).
    long ReadStereo(float* out, long frames) override;
    // The file moves to `frame`.
    void SeekFile(long frame) override;

private:
    SoundStream() = default;
    SNDFILE* file_ = nullptr;
    int channels_ = 0;
    long rate_ = 0;
    long long frames_ = 0;
};
