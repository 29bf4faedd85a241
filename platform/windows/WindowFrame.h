#pragma once
// The frames the game's windows ask the window manager for.
class QWidget;

namespace windowframe {

// A fixed dialog frame: the caption and a close box, no minimise or
// maximise button, not in the task bar. A minimise request that reaches it
// anyway is refused, so a modal question never takes the game out of view.
void FixedDialog(QWidget* w);

// A side window's frame: the caption, a minimise button and a close box,
// no maximise button (the narrow caption keeps its room).
void SideWindow(QWidget* w);

}  // namespace windowframe
