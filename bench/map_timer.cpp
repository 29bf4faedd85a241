// The start-up yardstick, timed from outside the program as
// ../shared/tools/peer-perf times it: from just before its exec to the X
// server's first MapNotify of a top-level window it made,
// seen by this client on the same display (best on a bare server, no window
// manager). The program is given GRAVLOK_LAUNCHED_NS, so the game's own
// figure can be set beside it. Prints "map-ms <milliseconds>", then ends the
// program.
//   map_timer PROGRAM [ARGS...]
#include <poll.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
long long Ns(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: map_timer PROGRAM [ARGS...]\n");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "map_timer: no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_request_check(c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask));

    // The clock starts in the child, just before its exec; the parent reads
    // it from a page they share.
    auto* execAt = static_cast<long long*>(
        mmap(nullptr, sizeof(long long), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    if (execAt == MAP_FAILED) return 2;
    *execAt = 0;
    pid_t pid = fork();
    if (pid < 0) return 2;
    if (pid == 0) {
        close(xcb_get_file_descriptor(c));
        const std::string launched = std::to_string(Ns(CLOCK_REALTIME));
        setenv("GRAVLOK_LAUNCHED_NS", launched.c_str(), 1);
        *execAt = Ns(CLOCK_MONOTONIC);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    // Read at once when the event comes, whatever the program keeps busy.
    setpriority(PRIO_PROCESS, 0, -5);
    const long long t0 = Ns(CLOCK_MONOTONIC);
    int rc = 1;
    pollfd x{xcb_get_file_descriptor(c), POLLIN, 0};
    // A map of a top-level window (a child of the root), up to 30 s.
    while (Ns(CLOCK_MONOTONIC) - t0 < 30'000'000'000LL) {
        xcb_generic_event_t* e = xcb_poll_for_event(c);
        if (!e) {
            if (xcb_connection_has_error(c)) break;
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                pid = 0;
                break;
            }
            poll(&x, 1, 20);
            continue;
        }
        const auto* m = reinterpret_cast<xcb_map_notify_event_t*>(e);
        const bool map = (e->response_type & ~0x80) == XCB_MAP_NOTIFY && m->event == root && !m->override_redirect;
        const long long t = Ns(CLOCK_MONOTONIC);
        std::free(e);
        if (map) {
            std::printf("map-ms %.2f\n", (t - *execAt) / 1e6);
            rc = 0;
            break;
        }
    }
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    xcb_disconnect(c);
    return rc;
}
