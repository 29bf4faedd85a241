#pragma once
// The desktop's sound server (PulseAudio, or PipeWire's PulseAudio service)
// reached through its own interface: one connection, served by its own
// thread. Each playing buffer is a stream of the server, which mixes them,
// sets their volume and rate and wakes the game only when a stream needs
// more data: the music is handed over seconds at a time, an effect whole.
#include <pulse/pulseaudio.h>

namespace serveroutput {

// Connects to the server (waits a second at most); false when none answers.
// Not when connected already.
bool Connect();
// Connected, and the connection still stands.
bool Connected();
// The connection ended (the server went away): noticed by the callback, so
// the caller may close it. Cleared by Close.
bool Lost();
// Closes the connection and its thread; every stream must be gone.
void Close();

// The connection's thread lock (recursive): stream operations and their
// callbacks run under it.
class LoopLock {
public:
    LoopLock();
    ~LoopLock();
    LoopLock(const LoopLock&) = delete;
    LoopLock& operator=(const LoopLock&) = delete;
};
pa_context* Context();
// Called on the connection's thread when the connection ends.
void OnLost(void (*callback)());

}  // namespace serveroutput
