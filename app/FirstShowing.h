#pragma once
// Runs a function once, when a window is first on the screen (its first
// exposure), from the event loop.
#include <QEvent>
#include <QObject>
#include <QWindow>
#include <functional>
#include <utility>

class FirstShowing : public QObject {
public:
    static void Then(QWindow* w, std::function<void()> f) {
        if (w) w->installEventFilter(new FirstShowing(std::move(f), w));
    }

private:
    FirstShowing(std::function<void()> f, QObject* parent) : QObject(parent), f_(std::move(f)) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Expose && static_cast<QWindow*>(o)->isExposed() && f_) {
            auto f = std::move(f_);
            f_ = nullptr;
            o->removeEventFilter(this);
            deleteLater();
            f();
        }
        return false;
    }
    std::function<void()> f_;
};
