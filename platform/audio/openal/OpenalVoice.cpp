#include "OpenalVoice.h"

#include <algorithm>
#include <vector>

#include "OpenalCalls.h"
#include "platform/audio/waves/Mixdown.h"

std::unique_ptr<OpenalVoice> OpenalVoice::ForWave(const OpenalWave& wave) {
    std::unique_ptr<OpenalVoice> v(new OpenalVoice);
    if (!v->MakeSources()) return nullptr;
    alSourcei(v->src_[0], AL_BUFFER, static_cast<ALint>(wave.left));
    alSourcei(v->src_[1], AL_BUFFER, static_cast<ALint>(wave.right));
    return v;
}

std::unique_ptr<OpenalVoice> OpenalVoice::ForStream(StereoSource* file, long rate) {
    std::unique_ptr<OpenalVoice> v(new OpenalVoice);
    v->file_ = file;
    v->rate_ = rate;
    if (!v->MakeBlocks() || !v->MakeSources()) return nullptr;
    v->Fill();
    return v;
}

OpenalVoice::~OpenalVoice() {
    if (src_[0]) {
        alSourceStopv(2, src_);
        alSourcei(src_[0], AL_BUFFER, 0);  // a stream's queue is let go
        alSourcei(src_[1], AL_BUFFER, 0);
        alDeleteSources(2, src_);
    }
    if (blocks_) {
        for (int side = 0; side < 2; ++side) alDeleteBuffers(kBlocks, free_[side]);
    }
}

bool OpenalVoice::MakeSources() {
    alGetError();
    alGenSources(2, src_);
    if (alGetError() != AL_NO_ERROR) {
        src_[0] = src_[1] = 0;
        return false;
    }
    for (int i = 0; i < 2; ++i) {
        alSourcei(src_[i], AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
        alSourcei(src_[i], AL_SOURCE_RELATIVE, AL_TRUE);
    }
    return true;
}

bool OpenalVoice::MakeBlocks() {
    alGetError();
    alGenBuffers(kBlocks, free_[0]);
    alGenBuffers(kBlocks, free_[1]);
    if (alGetError() != AL_NO_ERROR) return false;
    freeCount_ = kBlocks;
    blocks_ = true;
    return true;
}

// The next block of the file into the two buffers; at the end of the file a
// looping stream goes on from its start in the same block.
bool OpenalVoice::Decode(unsigned left, unsigned right) {
    std::vector<float> stereo(static_cast<size_t>(kBlockFrames * 2));
    const long have = file_->ReadStereo(stereo.data(), kBlockFrames);
    if (have == 0) return false;
    stereo.resize(static_cast<size_t>(have) * 2);
    const auto [l, r] = mixdown::SidesApart(stereo);
    const ALsizei bytes = static_cast<ALsizei>(have * 2 * sizeof(float));
    alBufferData(left, AL_FORMAT_STEREO_FLOAT32, l.data(), bytes, static_cast<ALsizei>(rate_));
    alBufferData(right, AL_FORMAT_STEREO_FLOAT32, r.data(), bytes, static_cast<ALsizei>(rate_));
    return true;
}

// Queues blocks from the file's position on the two sources until the
// queue is full or the file ends (without looping).
void OpenalVoice::Fill() {
    while (freeCount_ > 0) {
        const ALuint left = free_[0][freeCount_ - 1], right = free_[1][freeCount_ - 1];
        if (!Decode(left, right)) return;
        alSourceQueueBuffers(src_[0], 1, &left);
        alSourceQueueBuffers(src_[1], 1, &right);
        --freeCount_;
    }
}

void OpenalVoice::Unqueue(int count) {
    for (int i = 0; i < count; ++i) {
        alSourceUnqueueBuffers(src_[0], 1, &free_[0][freeCount_]);
        alSourceUnqueueBuffers(src_[1], 1, &free_[1][freeCount_]);
        ++freeCount_;
    }
}

void OpenalVoice::SetGains(double left, double right, double pitch) {
    if (!src_[0]) return;
    alDeferUpdatesSOFT();
    alSourcef(src_[0], AL_GAIN, static_cast<ALfloat>(left));
    alSourcef(src_[1], AL_GAIN, static_cast<ALfloat>(right));
    alSourcef(src_[0], AL_PITCH, static_cast<ALfloat>(pitch));
    alSourcef(src_[1], AL_PITCH, static_cast<ALfloat>(pitch));
    alProcessUpdatesSOFT();
}

bool OpenalVoice::Play(bool looping) {
    if (!src_[0]) return false;
    if (file_) {
        ALint st = 0;
        alGetSourcei(src_[0], AL_SOURCE_STATE, &st);
        if (st == AL_STOPPED || st == AL_INITIAL) Fill();
    } else {
        const ALint loop = looping ? AL_TRUE : AL_FALSE;
        alSourcei(src_[0], AL_LOOPING, loop);
        alSourcei(src_[1], AL_LOOPING, loop);
    }
    alGetError();
    alSourcePlayv(2, src_);
    return alGetError() == AL_NO_ERROR;
}

bool OpenalVoice::Pause() {
    if (!src_[0]) return true;
    alGetError();
    alSourcePausev(2, src_);
    return alGetError() == AL_NO_ERROR;
}

bool OpenalVoice::Seek(long frame) {
    if (!src_[0]) return false;
    alGetError();
    if (file_) {
        // The queue dropped, the file moved and queued again from there.
        alSourceStopv(2, src_);
        ALint queued = 0;
        alGetSourcei(src_[0], AL_BUFFERS_QUEUED, &queued);
        Unqueue(queued);
        alSourceRewindv(2, src_);
        file_->SeekFile(frame);
        Fill();
        return true;
    }
    alDeferUpdatesSOFT();
    alSourcei(src_[0], AL_SAMPLE_OFFSET, static_cast<ALint>(frame));
    alSourcei(src_[1], AL_SAMPLE_OFFSET, static_cast<ALint>(frame));
    alProcessUpdatesSOFT();
    return alGetError() == AL_NO_ERROR;
}

bool OpenalVoice::Playing() const {
    if (!src_[0]) return false;
    ALint st = 0;
    alGetSourcei(src_[0], AL_SOURCE_STATE, &st);
    return st == AL_PLAYING;
}

bool OpenalVoice::Feed(bool wantPlaying) {
    if (!src_[0] || !file_) return wantPlaying;
    ALint done[2] = {0, 0};
    alGetSourcei(src_[0], AL_BUFFERS_PROCESSED, &done[0]);
    alGetSourcei(src_[1], AL_BUFFERS_PROCESSED, &done[1]);
    Unqueue(std::min(done[0], done[1]));  // the two sides play in step
    Fill();
    if (!wantPlaying) return false;
    // Fed too late: both sides stopped together and go on together.
    ALint st = 0, queued = 0;
    alGetSourcei(src_[0], AL_SOURCE_STATE, &st);
    alGetSourcei(src_[0], AL_BUFFERS_QUEUED, &queued);
    if (st == AL_STOPPED && queued > 0) alSourcePlayv(2, src_);
    else if (st == AL_STOPPED) return false;  // a stream that does not loop has ended
    return true;
}
