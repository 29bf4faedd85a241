#pragma once
// Music streamed from its file: a few short blocks queued on the buffer's
// two sources (left beside silence, silence beside right, as every wave of
// the layer), refilled as they are played, the loop joined inside a block.
// Memory does not depend on the file's length.
#include <sndfile.h>

#include <string>

#include "platform/audio/waves/StereoSource.h"

#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>

class SoundStream : public StereoSource {
public:
    static constexpr int kBlocks = 4;
    static constexpr int kMostChannels = 64;  // a file with more is no sound
    static constexpr sf_count_t kBlockFrames = 8192;

    // Opens the file; nothing when it is not a readable wave file.
    static SoundStream* Open(const std::string& path);
    ~SoundStream();

    long Rate() const { return rate_; }
    long long Frames() const { return frames_; }
    // Makes the two sides' buffers; false without a device.
    bool MakeBuffers();
    // Queues blocks from the current file position on the two sources
    // until the queue is full or the file ends (without looping).
    void Fill(const ALuint src[2]);
    // Takes the played blocks off and queues new ones.
    void Refill(const ALuint src[2]);
    // The device went away with the buffers: made again on the next one.
    void Forget() {
        made_ = false;
        freeCount_ = 0;
    }
    // For the sound server: up to `frames` frames from the file's position,
    // mixed down to interleaved stereo, joined at the loop; how many there
    // were (0 at the end of a stream that does not loop).
    long ReadStereo(float* out, long frames) override;
    // For the sound server: the file moves to `frame`.
    void SeekFile(long frame) override;
    // Drops the queue and moves the file to `frame`.
    void Seek(const ALuint src[2], sf_count_t frame);

private:
    SoundStream() = default;
    bool Decode(ALuint left, ALuint right);
    SNDFILE* file_ = nullptr;
    int channels_ = 0;
    long rate_ = 0;
    long long frames_ = 0;
    ALuint free_[2][kBlocks] = {};  // buffers not queued, per side
    int freeCount_ = 0;
    bool made_ = false;
};
