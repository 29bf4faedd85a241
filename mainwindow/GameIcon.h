#pragma once
// The game's own icon, drawn here: a small well with settled rows, one row
// short of a line, and a figure falling into the gap.
#include <QIcon>
#include <QImage>

QImage GameIconImage(int size);
QIcon GameIcon();
