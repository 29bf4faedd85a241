#pragma once
// Window places as the game keeps them: the outer corner of a window, frame
// included, in the toolkit's pixels (ScreenUnits.h), always on the screen. A window manager adds the frame only once the
// window is shown, so a place given before that (or while the frame is not
// known yet) is set right as soon as the frame is there, and a window shown
// again comes back where its frame was.
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace windowplace {

// Puts the outer top-left corner of top-level window `w` at `p`.
void MoveFrame(QWidget* w, QPoint p);
// The outer corner and size; before the frame is known, the window's own
// size with the frame the desktop gave the last framed window.
QPoint FramePos(const QWidget* w);
QSize FrameSize(const QWidget* w);
QRect FrameRect(const QWidget* w);
// Centres the window's outer frame on `area`.
void CentreFrame(QWidget* w, const QRect& area);
// The screen area (less panels and docks) of the screen showing `w`.
QRect ScreenArea(const QWidget* w);
// The frame corner nearest `p` at which the window's frame lies within the
// screen area, or, where it is bigger than that, starts at its top left.
QPoint OnScreen(const QWidget* w, QPoint p);

}  // namespace windowplace
