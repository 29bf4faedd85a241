#pragma once
// Which display the game opens, chosen before the window system starts.
// The game places its windows itself and minimises them together, which a
// native Wayland client may not do: where an X display is there (Xwayland
// runs in every Wayland desktop session) the game uses it, unless the
// player has chosen a platform himself (QT_QPA_PLATFORM). Only without any
// X display does it run natively on Wayland.
namespace display {
// Sets the platform for the window system; false when there is no display
// at all (the caller says so and ends).
bool Choose();
// The one line said when there is no display, in Russian and English.
const char* NoDisplayMessage();
}  // namespace display
