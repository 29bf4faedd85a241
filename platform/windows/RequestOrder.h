#pragma once
// What the window manager did with a window after a request of the
// program's, in the order the X server did it. The state a window shows is
// read when the program gets round to it, which on a busy machine may be
// long after the window manager answered: a window minimised at the
// program's request and restored by the player at once reads "restored"
// twice, and the answer in between is never seen. Here a request is marked
// on the event stream itself (a property of the window changed right after
// it), and every change the window manager makes to the window's state
// after that mark is counted as the events come in.
#include <functional>

class QWidget;

namespace windowstate::order {

// Marks, after the request just sent for the window, where the window
// manager's answer may start: its state changes are counted from here.
// Nothing off X11 or for a window not made yet.
void MarkRequest(QWidget* w);

// Calls `then` (from the event loop) once every event the X server sent
// before now has been taken in, with the number of the window manager's
// changes of the window's state since the last mark (withdrawing the window
// starts the count again). A window manager may write the same state again
// now and then, so a count says something only where the state it ends in
// says it too. Off X11 `then` is called at once, with 0.
void WhenCaughtUp(QWidget* w, std::function<void(int changes)> then);

}  // namespace windowstate::order
