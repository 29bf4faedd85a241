// The one output device: opened on first use or in the background at
// start-up, resting while nothing can sound, served by its own thread, and
// closed at exit.
#include <algorithm>
#include <cstdlib>
#include <future>
#include <thread>

#include "SoundDevice.h"
#include "SoundShared.h"
#include "WaveCache.h"
#include "platform/audio/server/ServerOutput.h"
#include "platform/audio/server/ServerProbe.h"

namespace {
using soundshared::S;
using Shared = soundshared::Shared;

// At exit the device is closed; buffers and sources still held by static
// objects go with it.
// Not through LoseDevice: the wave cache, made after this was registered,
// is gone by now.
void CloseAtExit() {
    soundshared::StopService();
    Shared& s = S();
    if (s.server) {
        for (DirectSoundBuffer* b : s.buffers) b->DeviceLost();
        serveroutput::Close();
        s.server = false;
    }
    if (!s.device) return;
    alcMakeContextCurrent(nullptr);
    if (s.context) alcDestroyContext(s.context);
    alcCloseDevice(s.device);
    s.context = nullptr;
    s.device = nullptr;
}

// A context made current on the device; nothing (the device closed) when
// it cannot be made. Touches no shared state: it may run on any thread.
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

// The device and its context become the program's. Under the lock.
bool Adopt(ALCdevice* device, ALCcontext* context, bool server = false) {
    if (!server && (!device || !context)) return false;
    Shared& s = S();
    s.device = device;
    s.context = context;
    s.server = server;
    s.serverSeen = s.serverSeen || server;
    if (server) serveroutput::OnLost([] { S().wake.notify_all(); });
    ++s.opens;
    s.failedOpens = 0;
    s.wake.notify_all();  // a stream waiting for it attaches at once
    static const bool closesAtExit = std::atexit(CloseAtExit) == 0;
    (void)closesAtExit;
    return true;
}

bool MakeContext(ALCdevice* device, const ALCint* attrs) { return Adopt(device, ContextOn(device, attrs)); }
}  // namespace

namespace soundshared {
Shared& S() {
    static Shared s;
    return s;
}

std::recursive_mutex& Lock() {
    static std::recursive_mutex m;
    return m;
}

bool Ready() {
    Shared& s = S();
    if (s.device || s.server) return true;
    if (s.opening.valid() && s.opening.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
        const Shared::Opened o = s.opening.get();
        Adopt(o.device, o.context, o.server);
    }
    return s.device || s.server;
}

bool Opening() { return !S().device && !S().server && S().opening.valid(); }

namespace {
// A real output, not the tests' loopback.
bool Pausable() {
    Shared& s = S();
    return !s.loopback && s.device;
}
}  // namespace

void Resume() {
    Shared& s = S();
    if (!s.paused) return;
    if (Pausable()) alcDeviceResumeSOFT(s.device);
    s.paused = false;
    s.wake.notify_all();
}

bool Connected() {
    Shared& s = S();
    if (s.server) return serveroutput::Connected();
    if (!s.device || s.loopback) return true;
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(s.device, ALC_CONNECTED, 1, &connected);
    return connected != ALC_FALSE;
}

void LoseDevice() {
    Shared& s = S();
    if (!s.device && !s.server) return;
    for (DirectSoundBuffer* b : s.buffers) b->DeviceLost();
    wavecache::Forget();
    s.lastTry = {};  // another output may be there at once
    if (s.server) {
        serveroutput::Close();
        s.server = false;
        return;
    }
    alcMakeContextCurrent(nullptr);
    if (s.context) alcDestroyContext(s.context);
    alcCloseDevice(s.device);
    s.device = nullptr;
    s.context = nullptr;
    s.paused = false;
    s.sounded = false;
}

namespace {
// How long the music waits for an output before it looks again: a second,
// doubled after each failed look up to half a minute, so a machine without
// sound pays next to nothing while a server that comes is soon found.
std::chrono::seconds MusicRetry() { return std::chrono::seconds(1 << std::min(S().failedOpens, 5)); }

bool AStreamWaits() {
    for (DirectSoundBuffer* b : S().buffers)
        if (b->WaitsForDevice()) return true;
    return false;
}
}  // namespace

void Service() {
    Shared& s = S();
    if (!Connected()) LoseDevice();
    if (!Ready() && !Opening() && AStreamWaits()) sounddevice::Available();  // the music waits for an output
    if (!Ready()) return;
    bool sounding = false;
    for (DirectSoundBuffer* b : s.buffers) sounding = b->Serve() || sounding;
    if (sounding) s.sounded = true;
    // Not before the first sound: a device paused before it has mixed
    // anything spoils the header of OpenAL's wave-file output.
    if (!sounding && !s.paused && s.sounded && !s.server) {
        if (Pausable()) alcDevicePauseSOFT(s.device);
        s.paused = true;
    }
}

std::thread& ServiceThread() {
    static std::thread t;
    return t;
}

void StartService() {
    if (ServiceThread().joinable() || S().loopback) return;
    ServiceThread() = std::thread([] {
        std::unique_lock lock(Lock());
        while (!S().quit) {
            Service();
            // Paused with nothing to feed, or without any device: asleep
            // until something plays; without a device while the music
            // wants to play, awake once a second to look for one.
            if (S().paused) S().wake.wait(lock);
            else if (!Ready() && !Opening() && AStreamWaits()) S().wake.wait_for(lock, MusicRetry());
            else if (!Ready() && !Opening()) S().wake.wait(lock);
            // The server asks for the music itself; a lost connection wakes
            // this thread, and a look once a second catches what it misses.
            else if (S().server) S().wake.wait_for(lock, std::chrono::seconds(1));
            else S().wake.wait_for(lock, std::chrono::milliseconds(20));
        }
    });
    std::atexit(StopService);
}

void StopService() {
    if (!ServiceThread().joinable()) return;
    {
        std::lock_guard lock(Lock());
        S().quit = true;
    }
    S().wake.notify_all();
    ServiceThread().join();
}
}  // namespace soundshared

namespace sounddevice {
bool Available() {
    std::lock_guard lock(soundshared::Lock());
    Shared& s = S();
    if ((s.device || s.server) && !soundshared::Connected()) soundshared::LoseDevice();
    if (s.device || s.server) return true;
    if (s.opening.valid()) {  // the background open, waited for
        const Shared::Opened o = s.opening.get();
        if (Adopt(o.device, o.context, o.server)) return true;
    }
    // Without an output, looked for again at most once a second: a sound
    // server started later or back after a restart is found, and a machine
    // without sound pays nothing per play.
    const auto now = std::chrono::steady_clock::now();
    if (s.tried && now - s.lastTry < std::chrono::seconds(1)) return false;
    s.tried = true;
    s.lastTry = now;
    ++s.failedOpens;
    if (ServerInterfaceChosen() && serveroutput::Connect()) return Adopt(nullptr, nullptr, true);
    // A server that went away comes back; OpenAL would find only the same
    // server or the output it holds.
    if (s.serverSeen) return false;
    if (!OutputMayOpen()) return false;  // the desktop's sound server is not up yet
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device || !MakeContext(device, kOutputAttrs)) return false;
    s.failedOpens = 0;
    return true;
}

void OpenInBackground() {
    std::lock_guard lock(soundshared::Lock());
    Shared& s = S();
    if (s.device || s.tried) return;
    s.tried = true;
    s.lastTry = std::chrono::steady_clock::now();
    if (!OutputMayOpen()) {  // looked for again by the next play, or by the music
        soundshared::StartService();
        return;
    }
    s.opening = std::async(std::launch::async, [server = ServerInterfaceChosen()] {
        if (server && serveroutput::Connect()) return Shared::Opened{nullptr, nullptr, true};
        ALCdevice* device = alcOpenDevice(nullptr);
        ALCcontext* context = device ? ContextOn(device, kOutputAttrs) : nullptr;
        // The service thread picks it up at its next round (20 ms at most).
        return Shared::Opened{context ? device : nullptr, context, false};
    });
    soundshared::StartService();
}

bool UseLoopback(int rate) {
    std::lock_guard lock(soundshared::Lock());
    Shared& s = S();
    if (s.device) return s.loopback;
    s.tried = true;
    ALCdevice* device = alcLoopbackOpenDeviceSOFT(nullptr);
    if (!device) return false;
    const ALCint attrs[] = {ALC_FORMAT_CHANNELS_SOFT,
                            ALC_STEREO_SOFT,
                            ALC_FORMAT_TYPE_SOFT,
                            ALC_FLOAT_SOFT,
                            ALC_FREQUENCY,
                            rate,
                            ALC_HRTF_SOFT,
                            ALC_FALSE,
                            0};
    s.loopback = MakeContext(device, attrs);
    return s.loopback;
}

std::vector<float> Render(int frames) {
    std::lock_guard lock(soundshared::Lock());
    std::vector<float> out(static_cast<size_t>(frames) * 2, 0.0f);
    if (!S().loopback) return out;
    // The tests' clock: the service runs between small slices, as its thread
    // would while a real device plays.
    constexpr int kSlice = 1024;
    for (int done = 0; done < frames; done += kSlice) {
        soundshared::Service();
        alcRenderSamplesSOFT(S().device, out.data() + 2 * done, std::min(kSlice, frames - done));
    }
    return out;
}

bool DevicePaused() {
    std::lock_guard lock(soundshared::Lock());
    return S().paused;
}

int DeviceOpens() { return S().opens; }

bool ThroughServer() {
    std::lock_guard lock(soundshared::Lock());
    return soundshared::Ready() && S().server;
}
}  // namespace sounddevice
