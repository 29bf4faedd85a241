#pragma once
// The X server behind the toolkit, where the game runs on one: what the
// window manager says of a window is read there, not from Qt's copy of it.
#include <xcb/xcb.h>

#include <initializer_list>
#include <optional>

namespace x11 {

// The toolkit's connection, or nothing when the game is not on X11.
xcb_connection_t* Connection();

// The atom of a name on that connection (XCB_ATOM_NONE without one).
xcb_atom_t Atom(const char* name);

// A client message about window `w` to the window manager (sent to the
// root window, as ICCCM and EWMH have requests sent); up to five values.
void AskWindowManager(xcb_window_t w, xcb_atom_t type, std::initializer_list<uint32_t> data);

// The frame a window manager says it draws around a window
// (_NET_FRAME_EXTENTS), or nothing while it has said none.
struct Extents {
    int left = 0, right = 0, top = 0, bottom = 0;
};
std::optional<Extents> FrameExtents(xcb_window_t w);

// Where the window's own area is on the screen, while it is in view.
struct Corner {
    int x = 0, y = 0;
};
std::optional<Corner> ViewedAt(xcb_window_t w);

// Asks the window manager to put the window's frame corner at (x, y)
// (_NET_MOVERESIZE_WINDOW, the point given as the window's own gravity
// reads it).
void MoveFrame(xcb_window_t w, int x, int y);

}  // namespace x11
