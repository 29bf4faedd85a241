#include "SharedTable.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>

namespace hof {
namespace {
// The writer as a child with its two pipes.
class Writer {
public:
    explicit Writer(const std::string& path) {
        int in[2], out[2];
        if (pipe2(in, O_CLOEXEC) != 0) return;
        if (pipe2(out, O_CLOEXEC) != 0) {
            close(in[0]);
            close(in[1]);
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
        char* envp[] = {nullptr};
        if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv, envp) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(in[0]);
        close(out[1]);
        input_ = in[1];
        output_ = out[0];
    }
    ~Writer() {
        if (input_ >= 0) close(input_);
        if (output_ >= 0) close(output_);
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            Status();
        }
    }
    bool Started() const { return pid_ > 0; }
    bool Send(const std::string& text) {
        sigset_t pipeSignal, old;  // a writer that ended early closes the pipe: no signal for it
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipeSignal, &old);
        size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = write(input_, text.data() + done, text.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        timespec none{};
        while (sigtimedwait(&pipeSignal, nullptr, &none) > 0) {}
        pthread_sigmask(SIG_SETMASK, &old, nullptr);
        close(input_);
        input_ = -1;
        return done == text.size();
    }
    // The next line the writer says within `ms`: "" at its end, nothing
    // while it says nothing.
    std::optional<std::string> Line(int ms) {
        for (;;) {
            const size_t end = said_.find('\n');
            if (end != std::string::npos) {
                std::string line = said_.substr(0, end);
                said_.erase(0, end + 1);
                return line;
            }
            if (ended_) return std::string();
            pollfd p{output_, POLLIN, 0};
            const int r = poll(&p, 1, ms);
            if (r < 0 && errno == EINTR) continue;
            if (r <= 0) return std::nullopt;
            char buf[256];
            const ssize_t n = read(output_, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) ended_ = true;
            else said_.append(buf, static_cast<size_t>(n));
        }
    }
    // Its exit status, -1 when it did not end by itself.
    int Status() {
        int status = 0;
        while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {}
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int input_ = -1, output_ = -1;
    std::string said_;
    bool ended_ = false;
};

SaveTrouble TroubleOf(int status) {
    switch (status) {
    case Refused: return SaveTrouble::Refused;
    case NoLock: return SaveTrouble::NoLock;
    case NoTable: return SaveTrouble::NoTable;
    case TooLong: return SaveTrouble::TooLong;
    case NoSpace: return SaveTrouble::NoSpace;
    case ReadOnlyDisk: return SaveTrouble::ReadOnlyDisk;
    default: return SaveTrouble::NotWritten;
    }
}
}  // namespace

std::optional<Table> SaveShared(const std::string& writer, const QString& dir, const std::vector<NewRow>& rows,
                                const std::function<void()>& onWait, const std::function<bool()>& keepWaiting,
                                SaveTrouble* trouble) {
    SaveTrouble ignored;
    SaveTrouble& why = trouble ? *trouble : ignored;
    why = SaveTrouble::None;
    std::vector<NewRow> best = rows;
    std::stable_sort(best.begin(), best.end(), [](const NewRow& a, const NewRow& b) { return a.score > b.score; });
    if (best.size() > kMaxRows) best.resize(kMaxRows);
    std::string text;
    for (const NewRow& r : best) text += OneRowName(r.name) + "\n" + NumberText(r.score) + "\n";

    Writer w(writer);
    if (!w.Started()) {
        why = SaveTrouble::NotWritten;
        return std::nullopt;
    }
    w.Send(text);
    bool told = false, locked = false;
    for (;;) {
        const std::optional<std::string> line = w.Line(40);
        if (line && line->empty()) break;  // it ended
        if (line && *line == "locked") locked = true;
        if (line && *line == "wait" && !told) {
            told = true;
            if (onWait) onWait();
        }
        // Given up only while it waits: once it holds the locks it finishes.
        if (!line && !locked && keepWaiting && !keepWaiting()) {
            why = SaveTrouble::Busy;
            return std::nullopt;  // stopped by the destructor
        }
    }
    const int status = w.Status();
    if (status != Saved) {
        why = TroubleOf(status);
        return std::nullopt;
    }
    return ReadFile(dir).value_or(Table{});
}

}  // namespace hof
