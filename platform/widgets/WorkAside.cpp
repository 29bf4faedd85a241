#include "WorkAside.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>
#include <thread>


namespace {
// Drops the player's input while the work runs.
class InputDropper : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override { return IsPlayerInput(e); }
};
}  // namespace

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
