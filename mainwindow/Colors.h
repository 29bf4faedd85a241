#pragma once
// Back and fore colours of controls, as 24-bit values with red in the low byte.
#include <QColor>

#include "platform/drawing/Palette.h"

class QWidget;

inline QColor ToQColor(Rgb c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
inline Rgb FromQColor(const QColor& q) { return RGB(q.red(), q.green(), q.blue()); }

void SetBackColor(QWidget* w, Rgb c);
Rgb BackColorOf(const QWidget* w);
void SetForeColor(QWidget* w, Rgb c);
Rgb ForeColorOf(const QWidget* w);
