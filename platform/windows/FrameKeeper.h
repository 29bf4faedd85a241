#pragma once
// Inside the window places: what a window manager does late or forgets.
#include <QMargins>
#include <QPoint>
#include <functional>

class QWidget;

namespace windowplace {

// Where a window's frame belongs, worked out again when it is needed (a
// centred window's place depends on its frame, known only once it is framed).
using Place = std::function<QPoint()>;

// The frame around a shown window, or nothing while Qt does not know it;
// the last frame known serves as the guess for windows not framed yet.
QMargins KnownFrame(const QWidget* w);
QMargins LastFrame();
bool Frameless(const QWidget* w);

// Moves the window's frame corner to `p` now (the native window's frame
// when there is one, so the window manager places the frame, not the
// window's own area, there).
void MoveNow(QWidget* w, QPoint p);

// Holds the window's frame at `place` until it is framed and still, and
// on every later showing puts it back where its frame was.
void Hold(QWidget* w, Place place);

}  // namespace windowplace
