#pragma once
// The ways a desktop ends a program besides its close box: SIGTERM (logout,
// shutdown, kill), SIGHUP (the terminal closed), SIGINT (Ctrl+C) and the
// session manager saving the session. Each is turned into a call on the
// window thread, between two events, never inside a handler.
#include <functional>

namespace endsignals {
// `end` runs once when an ending signal arrives; `save` when the session
// manager asks the program to save what it has.
void Install(std::function<void()> end, std::function<void()> save);
}  // namespace endsignals
