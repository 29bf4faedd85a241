#include "EndSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <csignal>

namespace endsignals {
namespace {
int pipeFds[2] = {-1, -1};

void OnSignal(int sig) {
    const char c = static_cast<char>(sig);
    [[maybe_unused]] const ssize_t n = write(pipeFds[1], &c, 1);  // async-signal-safe
}
}  // namespace

void Install(std::function<void()> end, std::function<void()> save) {
    if (pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [notifier, end = std::move(end)] {
        char c;
        while (read(pipeFds[0], &c, 1) > 0) {}
        notifier->setEnabled(false);  // once is enough
        end();
    });
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) sigaction(sig, &sa, nullptr);
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp,
                     [save = std::move(save)](QSessionManager&) { save(); });
}

}  // namespace endsignals
