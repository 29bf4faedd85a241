#pragma once
// Minimised or not, as the window manager has it. Qt keeps its own copy of
// a window's state, and that copy lags behind or drifts from the window
// manager's: a window the window manager minimised along with another is
// still normal to Qt for a while, and a restore asked of a window Qt thinks
// normal is never sent. Window managers also differ in how a minimised
// window is brought back: some unmap it (a map restores it), others keep it
// mapped and only take it out of view (a map is then nothing). Here a state
// is read from the window manager and asked of it in the way that works.
#include <QtCore/qflags.h>
#include <QtCore/qnamespace.h>
#include <functional>

class QWidget;

namespace windowstate {

// Whether the window manager shows the window minimised now (on X11 read
// from the server; elsewhere Qt's word).
bool Minimized(const QWidget* w);

// Brings a window to `state` through Qt, and on X11 asks the window manager
// again wherever its word differs from what was asked: a minimise it did not
// take is requested again; a window it still shows minimised is mapped, or,
// where it keeps minimised windows mapped, shown anew at its place. A hidden
// window only takes the state.
void Apply(QWidget* w, Qt::WindowStates state);

// `state` with its minimised flag set or cleared.
inline Qt::WindowStates WithMinimized(Qt::WindowStates state, bool minimized) {
    return minimized ? state | Qt::WindowMinimized : state & ~Qt::WindowMinimized;
}

// Whether the program last asked for the window minimised (Qt's word for a
// window it never asked anything of).
bool AskedMinimized(const QWidget* w);

// What the window manager's word on a window is now: the answer to the
// program's last request; not yet that (the request is on its way, or the
// window is being withdrawn and shown anew); or a change of the window
// system's own, made after it answered (a title bar, a task bar, a group
// minimised along with another window). A request unanswered for long was
// refused: what the window manager shows is then its own.
enum class Report { Answer, OnItsWay, OwnChange };
Report Classify(QWidget* w);

// The state the window is headed for: what the program asked while the
// window manager has not answered, else the window manager's.
bool HeadedMinimized(const QWidget* w);

// Calls `changed` (later, from the event loop) whenever the window system
// changes the window's state: a title bar's button, a task bar, the window
// manager minimising a group, or taking a request of the program's.
void Watch(QWidget* w, std::function<void()> changed);

}  // namespace windowstate
