#include "SoundStream.h"

#include <algorithm>
#include <vector>

#include "platform/audio/waves/Mixdown.h"
#include "platform/audio/waves/SndfileCalls.h"
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
    if (file_) sf_close(file_);
}

long SoundStream::ReadStereo(float* out, long frames) {
    std::vector<float> in(static_cast<size_t>(std::min<long>(frames, kReadFrames) * channels_));
    long have = 0;
    bool rewound = false;
    while (have < frames) {
        const sf_count_t want = std::min<sf_count_t>(frames - have, kReadFrames);
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
