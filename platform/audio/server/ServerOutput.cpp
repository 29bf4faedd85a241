#include "ServerOutput.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "PulseCalls.h"

namespace serveroutput {
namespace {
pa_threaded_mainloop* loop = nullptr;
pa_context* context = nullptr;
std::atomic<bool> lost{false};
void (*lostCallback)() = nullptr;

void OnState(pa_context* c, void*) {
    switch (pa_context_get_state(c)) {
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        lost = true;
        if (lostCallback) lostCallback();
        break;
    default: break;
    }
}
}  // namespace

LoopLock::LoopLock() {
    if (loop) pa_threaded_mainloop_lock(loop);
}
LoopLock::~LoopLock() {
    if (loop) pa_threaded_mainloop_unlock(loop);
}

pa_context* Context() { return context; }
void OnLost(void (*callback)()) { lostCallback = callback; }

bool Connect() {
    if (context) return Connected();
    loop = pa_threaded_mainloop_new();
    if (!loop) return false;
    pa_proplist* props = pa_proplist_new();
    pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, "Gravlok");
    pa_proplist_sets(props, PA_PROP_APPLICATION_ID, "gravlok");
    pa_proplist_sets(props, PA_PROP_MEDIA_ROLE, "game");
    pa_proplist_sets(props, PA_PROP_APPLICATION_ICON_NAME, "gravlok");
    context = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop), "Gravlok", props);
    pa_proplist_free(props);
    if (!context) {
        Close();
        return false;
    }
    lost = false;
    pa_context_set_state_callback(context, OnState, nullptr);
    // A server that is not running is not started for the game: the desktop
    // starts its own, and the game finds it when it comes.
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0 ||
        pa_threaded_mainloop_start(loop) < 0) {
        Close();
        return false;
    }
    // Looked at every millisecond, so a server that takes the connection and
    // never answers costs a second, not the game.
    bool ready = false;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    for (;;) {
        pa_context_state_t st;
        {
            LoopLock lock;
            st = pa_context_get_state(context);
        }
        ready = st == PA_CONTEXT_READY;
        if (ready || !PA_CONTEXT_IS_GOOD(st) || std::chrono::steady_clock::now() > until) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!ready) Close();
    return ready;
}

bool Connected() { return context && !lost && pa_context_get_state(context) == PA_CONTEXT_READY; }

bool Lost() { return lost; }

void Close() {
    if (loop) pa_threaded_mainloop_stop(loop);
    if (context) {
        pa_context_set_state_callback(context, nullptr, nullptr);
        pa_context_disconnect(context);
        pa_context_unref(context);
        context = nullptr;
    }
    if (loop) pa_threaded_mainloop_free(loop);
    loop = nullptr;
    lost = false;
}

}  // namespace serveroutput
