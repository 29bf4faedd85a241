#include "Display.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string>

namespace display {
namespace {
bool Set(const char* name) { return std::getenv(name) && *std::getenv(name); }

// Whether an X server answers at $DISPLAY.
bool XAnswers() {
    if (!Set("DISPLAY")) return false;
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const bool ok = c && xcb_connection_has_error(c) == 0;
    if (c) xcb_disconnect(c);
    return ok;
}
}  // namespace

bool Choose() {
    if (Set("QT_QPA_PLATFORM")) return true;  // the player's own choice stands
    if (XAnswers()) {
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        return true;
    }
    if (Set("WAYLAND_DISPLAY")) {
        setenv("QT_QPA_PLATFORM", "wayland", 1);
        return true;
    }
    return false;
}

const char* NoDisplayMessage() {
    return "Gravlok XII Mirvax: нет экрана для окна игры (ни X, ни Wayland) / "
           "no display to open the game's window on (neither X nor Wayland)";
}
}  // namespace display
