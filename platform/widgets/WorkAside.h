#pragma once
// Work that may wait long (another copy holds a lock, a slow share syncs a
// file) done aside, on a thread of its own, while the windows go on
// repainting and answering the desktop. The player's keys and clicks are
// dropped meanwhile, as a modal window drops them; timers run on.
#include <QEvent>
#include <functional>

class QWidget;

// Runs `work` on another thread and returns when it is done.
void DoAside(const std::function<void()>& work);
// From inside such work: `f` runs on the window thread (at its next turn).
void OnWindowThread(const std::function<void()>& f);
// A control whose clicks are answered while work is aside, as the window
// manager's own buttons are (a window's own close button).
void AnswerDuringWorkAside(QWidget* control);

// Whether an event is the player's input, which work aside drops: a key, a
// click, the wheel, a touch.
inline bool IsPlayerInput(const QEvent* e) {
    switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::TouchBegin: return true;
    default: return false;
    }
}
