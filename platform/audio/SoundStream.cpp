#include "SoundStream.h"

#include <algorithm>
#include <vector>

#include "SoundShared.h"
#include "platform/audio/waves/Mixdown.h"
#include "platform/audio/waves/WaveFile.h"

SoundStream* SoundStream::Open(const std::string& path) {
    SF_INFO info{};
    SNDFILE* f = OpenWaveFile(path, info);
    if (!f) return nullptr;
    if (info.frames <= 0 || info.channels < 1 || info.channels > kMostChannels || info.samplerate <= 0) {
        sf_close(f);
        return nullptr;
    }
    auto* s = new SoundStream;
    s->file_ = f;
    s->channels_ = info.channels;
    s->rate_ = info.samplerate;
    s->frames_ = info.frames;
    return s;
}

SoundStream::~SoundStream() {
    if (made_) {
        for (int side = 0; side < 2; ++side) alDeleteBuffers(kBlocks, free_[side]);
    }
    if (file_) sf_close(file_);
}

bool SoundStream::MakeBuffers() {
    if (made_) return true;
    soundshared::ClearError();
    alGenBuffers(kBlocks, free_[0]);
    alGenBuffers(kBlocks, free_[1]);
    if (alGetError() != AL_NO_ERROR) return false;
    freeCount_ = kBlocks;
    made_ = true;
    return true;
}

long SoundStream::ReadStereo(float* out, long frames) {
    std::vector<float> in(static_cast<size_t>(std::min<long>(frames, kBlockFrames) * channels_));
    long have = 0;
    bool rewound = false;
    while (have < frames) {
        const sf_count_t want = std::min<sf_count_t>(frames - have, kBlockFrames);
        const sf_count_t got = sf_readf_float(file_, in.data(), want);
        if (got <= 0) {
            if (!looping || rewound) break;  // a file with nothing to read loops no more
            sf_seek(file_, 0, SEEK_SET);
            rewound = true;
            continue;
        }
        rewound = false;
        for (sf_count_t i = 0; i < got; ++i, ++have)
            mixdown::Frame(&in[static_cast<size_t>(i * channels_)], channels_, out[2 * have], out[2 * have + 1]);
    }
    return have;
}

void SoundStream::SeekFile(long frame) { sf_seek(file_, frame, SEEK_SET); }

// The next block of the file into the two buffers; at the end of the file a
// looping stream goes on from its start in the same block.
bool SoundStream::Decode(ALuint left, ALuint right) {
    std::vector<float> stereo(static_cast<size_t>(kBlockFrames * 2));
    const long have = ReadStereo(stereo.data(), kBlockFrames);
    if (have == 0) return false;
    stereo.resize(static_cast<size_t>(have) * 2);
    const auto [l, r] = mixdown::SidesApart(stereo);
    const ALsizei bytes = static_cast<ALsizei>(have * 2 * sizeof(float));
    alBufferData(left, AL_FORMAT_STEREO_FLOAT32, l.data(), bytes, static_cast<ALsizei>(rate_));
    alBufferData(right, AL_FORMAT_STEREO_FLOAT32, r.data(), bytes, static_cast<ALsizei>(rate_));
    return true;
}

void SoundStream::Fill(const ALuint src[2]) {
    while (freeCount_ > 0) {
        const ALuint left = free_[0][freeCount_ - 1], right = free_[1][freeCount_ - 1];
        if (!Decode(left, right)) return;
        alSourceQueueBuffers(src[0], 1, &left);
        alSourceQueueBuffers(src[1], 1, &right);
        --freeCount_;
    }
}

void SoundStream::Refill(const ALuint src[2]) {
    ALint done[2] = {0, 0};
    alGetSourcei(src[0], AL_BUFFERS_PROCESSED, &done[0]);
    alGetSourcei(src[1], AL_BUFFERS_PROCESSED, &done[1]);
    // The two sides play in step; take off what both have played.
    for (ALint i = 0; i < std::min(done[0], done[1]); ++i) {
        alSourceUnqueueBuffers(src[0], 1, &free_[0][freeCount_]);
        alSourceUnqueueBuffers(src[1], 1, &free_[1][freeCount_]);
        ++freeCount_;
    }
    Fill(src);
}

void SoundStream::Seek(const ALuint src[2], sf_count_t frame) {
    alSourceStopv(2, src);
    ALint queued = 0;
    alGetSourcei(src[0], AL_BUFFERS_QUEUED, &queued);
    for (ALint i = 0; i < queued; ++i) {
        alSourceUnqueueBuffers(src[0], 1, &free_[0][freeCount_]);
        alSourceUnqueueBuffers(src[1], 1, &free_[1][freeCount_]);
        ++freeCount_;
    }
    alSourceRewindv(2, src);
    sf_seek(file_, frame, SEEK_SET);
}
