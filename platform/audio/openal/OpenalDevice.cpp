#include "OpenalDevice.h"

#include "OpenalCalls.h"

namespace {
// A context made current on the device; nothing (the device closed) when
// it cannot be made.
ALCcontext* ContextOn(ALCdevice* device, const ALCint* attrs) {
    ALCcontext* context = alcCreateContext(device, attrs);
    if (!context || !alcMakeContextCurrent(context)) {
        if (context) alcDestroyContext(context);
        alcCloseDevice(device);
        return nullptr;
    }
    return context;
}

// The output's mixing: 44.1 kHz, mixed 60 times a second, so an effect
// starts within a frame of its event. (Measured through a PulseAudio server:
// other rates and refreshes cost the same within the noise.)
const ALCint kOutputAttrs[] = {ALC_FREQUENCY, 44100, ALC_REFRESH, 60, ALC_OUTPUT_LIMITER_SOFT, ALC_FALSE, 0};
}  // namespace

std::unique_ptr<OpenalDevice> OpenalDevice::OpenDefault() {
    ALCdevice* device = alcOpenDevice(nullptr);
    ALCcontext* context = device ? ContextOn(device, kOutputAttrs) : nullptr;
    if (!context) return nullptr;
    return std::unique_ptr<OpenalDevice>(new OpenalDevice(device, context, false));
}

std::unique_ptr<OpenalDevice> OpenalDevice::OpenLoopback(int rate) {
    ALCdevice* device = alcLoopbackOpenDeviceSOFT(nullptr);
    if (!device) return nullptr;
    const ALCint attrs[] = {ALC_FORMAT_CHANNELS_SOFT,
                            ALC_STEREO_SOFT,
                            ALC_FORMAT_TYPE_SOFT,
                            ALC_FLOAT_SOFT,
                            ALC_FREQUENCY,
                            rate,
                            ALC_HRTF_SOFT,
                            ALC_FALSE,
                            0};
    ALCcontext* context = ContextOn(device, attrs);
    if (!context) return nullptr;
    return std::unique_ptr<OpenalDevice>(new OpenalDevice(device, context, true));
}

OpenalDevice::~OpenalDevice() {
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context_);
    alcCloseDevice(device_);
}

bool OpenalDevice::Connected() const {
    if (loopback_) return true;
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(device_, ALC_CONNECTED, 1, &connected);
    return connected != ALC_FALSE;
}

void OpenalDevice::Pause() {
    if (!loopback_) alcDevicePauseSOFT(device_);
}

void OpenalDevice::Resume() {
    if (!loopback_) alcDeviceResumeSOFT(device_);
}

void OpenalDevice::Render(float* out, int frames) {
    if (loopback_) alcRenderSamplesSOFT(device_, out, frames);
}
