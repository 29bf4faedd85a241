#pragma once
// Answers the modal windows a flow opens, from the test: each expected
// window, by name, gets its action; any other modal window is noted and
// closed so that a test never hangs.
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

class Answers {
public:
    using Act = std::function<void(QDialog*)>;
    Answers() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }
    void Expect(const QString& window, Act act) { queue_.push_back({window, std::move(act)}); }
    std::vector<QString> seen;  // every modal window that opened, in order
    bool AllAnswered() const { return queue_.empty(); }

private:
    void Poll() {
        auto* m = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!m || m->property("answered").toBool()) return;
        m->setProperty("answered", true);
        // A window shown again later (after it closed or hid) is a new question.
        m->installEventFilter(&resetOnHide_);
        seen.push_back(m->objectName());
        if (!queue_.empty() && queue_.front().first == m->objectName()) {
            Act act = std::move(queue_.front().second);
            queue_.pop_front();
            act(m);
        } else {
            m->reject();
        }
    }
    struct ResetOnHide : QObject {
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::Hide) o->setProperty("answered", false);
            return false;
        }
    } resetOnHide_;
    QTimer timer_;
    std::deque<std::pair<QString, Act>> queue_;
};
