#pragma once
// The X server behind the toolkit, where the game runs on one: what the
// window manager says of a window is read there, not from Qt's copy of it.
#include <xcb/xcb.h>

namespace x11 {

// The toolkit's connection, or nothing when the game is not on X11.
xcb_connection_t* Connection();

// The atom of a name on that connection (XCB_ATOM_NONE without one).
xcb_atom_t Atom(const char* name);

}  // namespace x11
