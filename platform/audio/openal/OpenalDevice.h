#pragma once
// OpenAL Soft's output, where no sound server answers or its drivers are
// chosen: one device with its context, current for the whole program.
#include <memory>

struct ALCdevice_struct;
struct ALCcontext_struct;

class OpenalDevice {
public:
    // The default output; nullptr when there is none. Touches no shared
    // state, so it may be opened on any thread.
    static std::unique_ptr<OpenalDevice> OpenDefault();
    // Tests: a device that renders interleaved stereo floats at `rate`
    // when asked, instead of playing.
    static std::unique_ptr<OpenalDevice> OpenLoopback(int rate);
    ~OpenalDevice();
    OpenalDevice(const OpenalDevice&) = delete;
    OpenalDevice& operator=(const OpenalDevice&) = delete;

    // Whether it still reaches its output (a loopback always does).
    bool Connected() const;
    // Mixes nothing while nothing can sound (not a loopback).
    void Pause();
    void Resume();
    // Loopback only: the next `frames` frames.
    void Render(float* out, int frames);

private:
    OpenalDevice(ALCdevice_struct* device, ALCcontext_struct* context, bool loopback)
        : device_(device), context_(context), loopback_(loopback) {}
    ALCdevice_struct* device_;
    ALCcontext_struct* context_;
    bool loopback_;
};
