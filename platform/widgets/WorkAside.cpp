#include "WorkAside.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <thread>


namespace {
const char* const kAnswers = "answersDuringWorkAside";

// A click meant for a control answered meanwhile: the event comes to the
// window first, then to the control under the pointer.
bool ForAnsweringControl(QObject* receiver, QEvent* e) {
    if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonRelease) return false;
    if (receiver->property(kAnswers).toBool()) return true;
    if (!receiver->isWindowType()) return false;
    const QWidget* under = QApplication::widgetAt(static_cast<QMouseEvent*>(e)->globalPosition().toPoint());
    return under && under->property(kAnswers).toBool();
}

// Drops the player's input while the work runs.
class InputDropper : public QObject {
public:
    bool eventFilter(QObject* receiver, QEvent* e) override {
        return IsPlayerInput(e) && !ForAnsweringControl(receiver, e);
    }
};
}  // namespace

void AnswerDuringWorkAside(QWidget* control) { control->setProperty(kAnswers, true); }

void DoAside(const std::function<void()>& work) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        work();
        return;
    }
    QEventLoop loop;
    InputDropper dropper;
    app->installEventFilter(&dropper);
    QPointer<QEventLoop> waiting(&loop);
    std::thread worker([&] {
        work();
        QMetaObject::invokeMethod(
            app,
            [waiting] {
                if (waiting) waiting->quit();
            },
            Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    // What the work asked the window thread to do before it ended.
    QCoreApplication::sendPostedEvents(app, QEvent::MetaCall);
    app->removeEventFilter(&dropper);
}

void OnWindowThread(const std::function<void()>& f) {
    if (QCoreApplication* app = QCoreApplication::instance()) QMetaObject::invokeMethod(app, f, Qt::QueuedConnection);
}
