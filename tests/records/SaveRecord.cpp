// Not a test: one copy of the game's record code, as a separate process.
// Usage: save_record DIR NAME SCORE [DELAY_S]
//        save_record --settings DIR   (saves the default settings there)
// Reads the table, enters the result at its place and saves, as the end of a
// game does. With DELAY_S, the save's write is slowed by that much (a slow
// network share) and the copy prints how long it waited for the lock and
// whether another copy was inside the save at the same time.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "records/formats/SettingsStore.h"
#include "records/formats/TableFile.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--settings")
        return settings::Save(QString::fromLocal8Bit(argv[2]), settings::Defaults()) ? 0 : 1;
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: save_record DIR NAME SCORE [DELAY_S]\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const double score = std::atof(argv[3]);
    const double delay = argc == 5 ? std::atof(argv[4]) : 0;
    hof::Table t = hof::Load(dir);
    const long at = hof::InsertIndex(t, score);
    std::optional<hof::NewRow> row;
    if (at >= 0) {
        hof::InsertAt(t, static_cast<size_t>(at), argv[2], score);
        row = hof::NewRow{argv[2], score};
    }
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    double waited = 0;
    bool alone = true;
    const std::string inside = std::string(argv[1]) + "/inside-the-save";
    auto slowWrite = [&] {
        waited = std::chrono::duration<double>(Clock::now() - start).count();
        const int fd = open(inside.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0666);
        if (fd < 0) alone = false;  // another copy is saving too
        std::this_thread::sleep_for(std::chrono::duration<double>(delay));
        if (fd >= 0) {
            close(fd);
            unlink(inside.c_str());
        }
    };
    const bool ok = hof::Save(dir, t, row, delay > 0 ? std::function<void()>(slowWrite) : nullptr).has_value();
    if (delay > 0) std::printf("%.3f %s\n", waited, alone ? "alone" : "OVERLAP");
    return ok ? 0 : 1;
}
