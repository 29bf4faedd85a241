#pragma once
// The game's own icon, drawn here: a small well with settled rows, one row
// short of a line, and a figure falling into the gap.
#include <QIcon>
#include <QImage>

QImage GameIconImage(int size);
// Every size the desktop may show, or only the caption strip's 16 pixels
// (drawn before the window is first shown; the others once it is drawn).
QIcon GameIcon(bool captionOnly = false);
