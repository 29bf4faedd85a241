#pragma once
// A buffer played on OpenAL's device: two sources locked together, the
// left side's and the right side's, so the pan sets each side's gain. An
// effect plays its decoded wave; a stream (the music, a long effect) queues
// a few short blocks read from its file as they are played, the loop joined
// inside a block, so memory does not depend on the file's length.
#include <memory>

#include "OpenalWave.h"
#include "platform/audio/waves/StereoSource.h"

class OpenalVoice {
public:
    // The wave's sources; nullptr when the device makes none.
    static std::unique_ptr<OpenalVoice> ForWave(const OpenalWave& wave);
    // The stream's sources and blocks, queued from the file's position;
    // nullptr when the device makes none.
    static std::unique_ptr<OpenalVoice> ForStream(StereoSource* file, long rate);
    ~OpenalVoice();
    OpenalVoice(const OpenalVoice&) = delete;
    OpenalVoice& operator=(const OpenalVoice&) = delete;

    // Volume and the two sides' gains as linear factors, and the rate as a
    // factor of the file's; both sides change in the same mix period.
    void SetGains(double left, double right, double pitch);
    // Plays from where it stands (a paused pair resumes, a stopped stream
    // queues again from the file's position).
    bool Play(bool looping);
    bool Pause();
    bool Seek(long frame);
    bool Playing() const;
    // A stream fed: the played blocks are taken off and new ones queued; one
    // fed too late (a loaded machine) plays on. False once a stream that
    // does not loop has played to its end.
    bool Feed(bool wantPlaying);
    // The device went away with the sources: nothing is deleted.
    void Abandon() {
        src_[0] = src_[1] = 0;
        blocks_ = false;
    }

private:
    static constexpr int kBlocks = 4;
    static constexpr long kBlockFrames = 8192;
    OpenalVoice() = default;
    bool MakeSources();
    bool MakeBlocks();
    bool Decode(unsigned left, unsigned right);
    void Fill();
    void Unqueue(int count);
    unsigned src_[2] = {0, 0};
    StereoSource* file_ = nullptr;  // a stream's
    long rate_ = 0;
    unsigned free_[2][kBlocks] = {};  // a stream's blocks not queued, per side
    int freeCount_ = 0;
    bool blocks_ = false;
};
