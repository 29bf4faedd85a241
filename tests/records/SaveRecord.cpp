// Not a test: one copy of the game's record code, as a separate process.
// Usage: save_record DIR NAME SCORE — reads the table, enters the result at
// its place and saves, as the end of a game does.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "records/TableFile.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: save_record DIR NAME SCORE\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const double score = std::atof(argv[3]);
    hof::Table t = hof::Load(dir);
    const long at = hof::InsertIndex(t, score);
    std::optional<hof::NewRow> row;
    if (at >= 0) {
        hof::InsertAt(t, static_cast<size_t>(at), argv[2], score);
        row = hof::NewRow{argv[2], score};
    }
    return hof::Save(dir, t, row) ? 0 : 1;
}
