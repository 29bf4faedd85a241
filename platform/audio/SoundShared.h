#pragma once
// Inside the sound device layer: the one device and context, the lock every
// operation takes (the music is fed from a service thread), and the live
// buffers.
#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <set>
#include <utility>

#include "platform/audio/openal/OpenalDevice.h"

class DirectSoundBuffer;

namespace soundshared {

struct Shared {
    std::unique_ptr<OpenalDevice> openal;  // OpenAL Soft's output, where no server answers
    bool server = false;                   // the desktop's sound server plays, through its own interface
    bool serverSeen = false;               // it has: when it goes away, the game waits for it to come back
    bool tried = false;
    std::chrono::steady_clock::time_point lastTry{};  // of an open; again a second later
    int failedOpens = 0;                              // in a row: the waiting music looks less and less often
    bool loopback = false;
    int opens = 0;
    // The output being opened in the background.
    struct Opened {
        std::unique_ptr<OpenalDevice> openal;
        bool server = false;
    };
    std::future<Opened> opening;
    bool paused = false;    // the device mixes nothing while nothing can sound
    bool sounded = false;   // something has played since the device opened
    bool sounding = false;  // at the last service step
    std::chrono::steady_clock::time_point openedAt{};
    std::set<DirectSoundBuffer*> buffers;
    std::condition_variable_any wake;  // for the service thread
    bool quit = false;                 // the service thread ends (program exit)
};
Shared& S();
std::recursive_mutex& Lock();
// An output is open (a background open that has finished counts).
bool Ready();
// No device now, but one is being opened.
bool Opening();
// Before a buffer plays: the device mixes again.
void Resume();
// Whether the device still reaches its output (a loopback always does).
bool Connected();
// The device went away (its server ended, its output was removed): every
// object on it is forgotten and it is closed; the next play opens another.
void LoseDevice();
// The service step: notices a lost device, opens one again for a stream
// that wants to play (once a second at most), feeds the streams, attaches streams once the device is
// there, and pauses the device when nothing can sound. Under the lock.
void Service();
// Starts the service thread (not for a loopback device, which the tests feed).
void StartService();
// Ends it and waits for it (at exit, before the device closes).
void StopService();

}  // namespace soundshared
