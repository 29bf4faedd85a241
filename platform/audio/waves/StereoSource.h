#pragma once
// A sound read from its file as it plays, for an output that mixes it
// itself: frames mixed down to interleaved stereo, joined at the loop.
class StereoSource {
public:
    virtual ~StereoSource() = default;
    // Up to `frames` frames from the file's position; how many there were
    // (0 at the end of a source that does not loop).
    virtual long ReadStereo(float* out, long frames) = 0;
    // The file moves to `frame`.
    virtual void SeekFile(long frame) = 0;
    bool looping = false;
};
