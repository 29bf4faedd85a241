#pragma once
// Two units of length meet at the desktop. The game and the toolkit count
// in the toolkit's pixels: the display's pixels divided by the display scale
// (125 %, 150 %, 200 %: QT_SCALE_FACTOR or the screen's own ratio), so every
// place the game keeps stands where it stands at 100 %, scaled. The X server
// and the window manager count the display's pixels: what they say of a
// window (its frame, where it is in view) and what they are asked (a move)
// is converted here, and nowhere else.
#include <QMargins>
#include <QPoint>

class QWidget;

namespace screenunits {

// The display's pixels to one of the toolkit's on the window's screen.
double Scale(const QWidget* w);

// A point on the screen of window `w`, from the display's pixels and back.
QPoint FromDisplay(const QWidget* w, QPoint p);
QPoint ToDisplay(const QWidget* w, QPoint p);

// A frame's widths, from the display's pixels.
QMargins FromDisplay(const QWidget* w, const QMargins& m);

}  // namespace screenunits
