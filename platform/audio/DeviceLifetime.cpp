// The one output device: opened on first use or in the background at
// start-up, resting while nothing can sound, served by its own thread, and
// closed at exit.
#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <future>
#include <mutex>
#include <thread>

#include "SoundDevice.h"
#include "SoundShared.h"
#include "WaveCache.h"
#include "platform/audio/server/ServerOutput.h"
#include "platform/audio/server/ServerProbe.h"
#include "platform/audio/waves/SndfileCalls.h"

namespace {
using soundshared::S;
using Shared = soundshared::Shared;

// The main window's first showing, awaited by the background open.
struct Gate {
    std::mutex m;
    std::condition_variable cv;
    bool open = false;
    void Wait(std::chrono::milliseconds most) {
        std::unique_lock lock(m);
        cv.wait_for(lock, most, [this] { return open; });
    }
};
Gate& WindowUp() {
    static Gate g;
    return g;
}

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
    s.openal.reset();
}

// The output becomes the program's. Under the lock.
bool Adopt(std::unique_ptr<OpenalDevice> openal, bool server = false) {
    if (!server && !openal) return false;
    Shared& s = S();
    s.openal = std::move(openal);
    s.openedAt = std::chrono::steady_clock::now();
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
    if (s.openal || s.server) return true;
    if (s.opening.valid() && s.opening.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
        Shared::Opened o = s.opening.get();
        Adopt(std::move(o.openal), o.server);
    }
    return s.openal || s.server;
}

bool Opening() { return !S().openal && !S().server && S().opening.valid(); }

void Resume() {
    Shared& s = S();
    if (!s.paused) return;
    if (s.openal) s.openal->Resume();
    s.paused = false;
    s.wake.notify_all();
}

bool Connected() {
    Shared& s = S();
    if (s.server) return serveroutput::Connected();
    return !s.openal || s.openal->Connected();
}

void LoseDevice() {
    Shared& s = S();
    if (!s.openal && !s.server) return;
    for (DirectSoundBuffer* b : s.buffers) b->DeviceLost();
    wavecache::Forget();
    s.lastTry = {};  // another output may be there at once
    if (s.server) {
        serveroutput::Close();
        s.server = false;
        return;
    }
    s.openal.reset();
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
    s.sounding = sounding;
    if (sounding) s.sounded = true;
    // Not before it has mixed: a device paused before it has mixed anything
    // spoils the header of OpenAL's wave-file output. A second of running
    // has, so a game that plays nothing (the music off) does not keep it
    // mixing silence.
    const bool mixed =
        s.sounded || (!s.loopback && std::chrono::steady_clock::now() - s.openedAt > std::chrono::seconds(1));
    if (!sounding && !s.paused && mixed && !s.server) {
        if (s.openal) s.openal->Pause();
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
            // this thread, and a look once a second, while something
            // sounds, catches what it misses (a stream the server ended).
            // Silent, it sleeps until a play or a lost connection wakes it,
            // looking every half minute for a loss whose call came between
            // its look and its sleep.
            else if (S().server && !S().sounding) S().wake.wait_for(lock, std::chrono::seconds(30));
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
    if ((s.openal || s.server) && !soundshared::Connected()) soundshared::LoseDevice();
    if (s.openal || s.server) return true;
    if (s.opening.valid()) {  // the background open, waited for
        Shared::Opened o = s.opening.get();
        if (Adopt(std::move(o.openal), o.server)) return true;
    }
    // Without an output, looked for again at most once a second: a sound
    // server started later or back after a restart is found, and a machine
    // without sound pays nothing per play.
    const auto now = std::chrono::steady_clock::now();
    if (s.tried && now - s.lastTry < std::chrono::seconds(1)) return false;
    s.tried = true;
    s.lastTry = now;
    ++s.failedOpens;
    if (ServerInterfaceChosen() && serveroutput::Connect()) return Adopt(nullptr, true);
    // A server that went away comes back; OpenAL would find only the same
    // server or the output it holds.
    if (s.serverSeen) return false;
    if (!OutputMayOpen()) return false;  // the desktop's sound server is not up yet
    if (!Adopt(OpenalDevice::OpenDefault())) return false;
    s.failedOpens = 0;
    return true;
}

void OpenInBackground() {
    std::lock_guard lock(soundshared::Lock());
    Shared& s = S();
    if (s.openal || s.tried) return;
    s.tried = true;
    s.lastTry = std::chrono::steady_clock::now();
    if (!OutputMayOpen()) {  // looked for again by the next play, or by the music
        soundshared::StartService();
        return;
    }
    s.opening = std::async(std::launch::async, [server = ServerInterfaceChosen()] {
        // The wave files' library loads beside the window being built (the
        // music opens its file before the window shows). The output's
        // library and its connection wait until the window is up: on a
        // machine of two cores they would take the time it is built in.
        SndfileLibrary().Load();
        WindowUp().Wait(std::chrono::seconds(1));
        if (server && serveroutput::Connect()) return Shared::Opened{nullptr, true};
        // The service thread picks it up at its next round (20 ms at most).
        return Shared::Opened{OpenalDevice::OpenDefault(), false};
    });
    soundshared::StartService();
}

void WindowShown() {
    Gate& g = WindowUp();
    {
        std::lock_guard lock(g.m);
        g.open = true;
    }
    g.cv.notify_all();
}

bool UseLoopback(int rate) {
    std::lock_guard lock(soundshared::Lock());
    Shared& s = S();
    if (s.openal) return s.loopback;
    s.tried = true;
    s.loopback = Adopt(OpenalDevice::OpenLoopback(rate));
    return s.loopback;
}

std::vector<float> Render(int frames) {
    std::lock_guard lock(soundshared::Lock());
    std::vector<float> out(static_cast<size_t>(frames) * 2, 0.0f);
    if (!S().loopback || !S().openal) return out;
    // The tests' clock: the service runs between small slices, as its thread
    // would while a real device plays.
    constexpr int kSlice = 1024;
    for (int done = 0; done < frames; done += kSlice) {
        soundshared::Service();
        S().openal->Render(out.data() + 2 * done, std::min(kSlice, frames - done));
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
