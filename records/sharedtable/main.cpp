// gravlok-table: the writer of the hall of fame that every account of the
// computer shares, for the installed game. It is set-group-ID games, the
// only program that may change /var/games/gravlok/GravlokFathers.txt, and
// it trusts nothing it is given: it reads no environment variable (it
// clears them first), takes no path (the folder is built in), loads nothing
// but the system's own libraries (the dynamic loader ignores a player's for
// a set-group-ID program), and accepts on its standard input only valid
// records: at most 99 pairs of lines, a name the name question can give and
// a score a game can reach. It writes the table in place under every lock
// the game takes (the table stays the package's file, root:games), never
// creates the table, and writes nothing else.
//
// Standard output: "wait" once another program holds a lock, "locked" once
// it holds them all (from then on it finishes by itself). Exit status: see
// records/formats/WriterExit.h.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/files/CodePage.h"
#include "platform/files/FileLock.h"
#include "platform/files/InPlace.h"
#include "platform/files/SafeOpen.h"
#include "platform/files/TextLines.h"
#include "records/formats/HallOfFame.h"
#include "records/formats/WriterExit.h"

namespace {
const std::string kFolder = GRAVLOK_SHARED_TABLE_DIR;
const std::string kTable = kFolder + "/GravlokFathers.txt";
const std::string kLock = kTable + ".lock";
constexpr size_t kMaxInput = 4096;                   // 99 records of the longest name and score
constexpr size_t kMaxTableBytes = 16 * 1024 * 1024;  // as the game reads it

using namespace hof;  // the exit statuses

void Say(const char* line) { [[maybe_unused]] const ssize_t n = write(STDOUT_FILENO, line, strlen(line)); }

// A descriptor 0, 1 or 2 the caller closed is opened on /dev/null, so that
// no file this program opens can take its place (and its messages).
bool StandardDescriptorsOpen() {
    for (int fd = 0; fd <= 2; ++fd)
        if (fcntl(fd, F_GETFD) < 0 && open("/dev/null", O_RDWR) != fd) return false;
    return true;
}

struct Row {
    std::string name;
    int32_t score = 0;
};

// The records on the standard input, or nothing when anything in it is not one.
bool ReadRecords(std::vector<Row>& rows) {
    std::string in;
    char buf[1024];
    for (ssize_t n; (n = read(STDIN_FILENO, buf, sizeof buf)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        in.append(buf, static_cast<size_t>(n));
        if (in.size() > kMaxInput) return false;
    }
    const std::vector<std::string_view> lines = textfile::SplitLines(in);
    if (lines.empty() || lines.size() % 2 != 0 || lines.size() / 2 > hof::kMaxRows) return false;
    for (size_t i = 0; i < lines.size(); i += 2) {
        const std::optional<int32_t> score = hof::ValidScore(lines[i + 1]);
        if (!hof::ValidName(lines[i]) || !score) return false;
        rows.push_back({std::string(lines[i]), *score});
    }
    return true;
}

WriterExit WhyNotWritten(int err) {
    if (err == ENOSPC || err == EDQUOT || err == EFBIG) return NoSpace;
    if (err == EROFS) return ReadOnlyDisk;
    return NotWritten;
}
}  // namespace

int main() {
    clearenv();
    umask(022);
    signal(SIGXFSZ, SIG_IGN);  // a file-size limit fails the write, which leaves the table whole
    if (!StandardDescriptorsOpen()) return NotWritten;
    std::vector<Row> rows;
    if (!ReadRecords(rows)) return Refused;

    const FileLock lock(kLock, kTable, [] { Say("wait\n"); });
    if (!lock.Locked()) return NoLock;
    Say("locked\n");

    const int fd = safeopen::Open(kTable, O_RDONLY);
    if (fd < 0) return errno == ENOENT ? NoTable : NotWritten;
    std::string bytes;
    char buf[65536];
    bool readWhole = true;
    for (ssize_t n; bytes.size() <= kMaxTableBytes && (n = read(fd, buf, sizeof buf)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            readWhole = false;
            break;
        }
        bytes.append(buf, static_cast<size_t>(n));
    }
    close(fd);
    if (!readWhole) return NotWritten;
    if (bytes.size() > kMaxTableBytes) return TooLong;

    hof::Table t = hof::Parse(codepage::LinesFromFile(bytes));
    for (const Row& r : rows) {
        const long at = hof::InsertIndex(t, r.score);
        if (at >= 0) hof::InsertAt(t, static_cast<size_t>(at), r.name, r.score);
    }
    if (!textfile::RewriteInPlace(kTable, codepage::LinesToFile(hof::Format(t)))) return WhyNotWritten(errno);
    return Saved;
}
