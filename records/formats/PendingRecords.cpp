#include "PendingRecords.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <memory>
#include <vector>

#include "platform/files/CodePage.h"
#include "platform/files/SafeOpen.h"
#include "platform/files/TextFile.h"
#include "platform/files/TextLines.h"
#include "platform/folders/DataFolder.h"

namespace pending {
namespace {
struct Entry {
    std::string folder, name;
    int32_t score = 0;
};

// The folders records may have been kept in.
std::vector<QString> Places() {
    std::vector<QString> places{PlayersDataFolder()};
    if (const std::optional<QString> spare = SpareDataFolder(false)) places.push_back(*spare);
    return places;
}

QString FileIn(const QString& place) { return QDir(place).filePath(kFileName); }

// The file's own lock, held while it is read and written: one copy at a
// time (a lock of its own, so the table's lock, taken meanwhile, never
// meets it, even in the same folder).
class Held {
public:
    Held(const QString& place, bool wait) {
        fd_ = safeopen::Open((FileIn(place) + ".lock").toStdString(), O_RDWR | O_CREAT | O_NOFOLLOW, 0600);
        if (fd_ < 0) return;
        for (int i = 0; flock(fd_, LOCK_EX | LOCK_NB) != 0; ++i) {
            if (!wait || i >= 100) {  // a copy merging holds it a few seconds at most
                close(fd_);
                fd_ = -1;
                return;
            }
            usleep(50 * 1000);
        }
    }
    ~Held() {
        if (fd_ >= 0) close(fd_);
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    bool Ok() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

bool ValidFolder(std::string_view f) {
    return !f.empty() && f.front() == '/' && f.size() <= 4096 && hof::OneRowName(f) == f;
}

struct Contents {
    std::vector<Entry> entries;
    bool untidy = false;  // junk lines skipped, or cut at the bound
};

// Lines that do not make a record are skipped one by one, so the records
// after them are still found.
Contents ReadIn(const QString& place) {
    Contents c;
    bool cut = false;
    const std::optional<std::string> text = textfile::Read(FileIn(place), kMaxFileBytes, &cut, true);
    if (!text) return c;
    c.untidy = cut;
    const std::vector<std::string_view> lines = textfile::SplitLines(*text);
    size_t i = 0;
    while (i < lines.size()) {
        std::optional<int32_t> score;
        if (i + 2 < lines.size() && ValidFolder(lines[i]) && hof::ValidName(lines[i + 1]) &&
            (score = hof::ValidScore(lines[i + 2]))) {
            c.entries.push_back({std::string(lines[i]), std::string(lines[i + 1]), *score});
            i += 3;
        } else {
            c.untidy = true;
            ++i;
        }
    }
    return c;
}

bool WriteIn(const QString& place, const std::vector<Entry>& all) {
    const QString path = FileIn(place);
    if (all.empty()) {
        const QByteArray p = QFile::encodeName(path);
        struct stat st {};
        return lstat(p.constData(), &st) != 0 || (S_ISREG(st.st_mode) && unlink(p.constData()) == 0);
    }
    std::string text;
    for (const Entry& e : all) text += e.folder + "\n" + e.name + "\n" + std::to_string(e.score) + "\n";
    textfile::WriteOptions options;
    options.noLink = true;
    return textfile::Write(path, text, options);
}

std::string Folder(const QString& dir) { return QDir(dir).absolutePath().toStdString(); }

bool Exists(const QString& path) {
    struct stat st {};
    return lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// An earlier version kept a table of the player's own where every account
// now shares one: its records join the shared table once, then the file is
// left as it was and never read for the table again.
QString OwnTable() { return QDir(PlayersDataFolder()).filePath(hof::kFileName); }
QString JoinedMark() { return OwnTable() + ".joined"; }

bool JoinsOwnTable(const QString& tableDir) {
    return SharedTableWriterFor(tableDir) && Exists(OwnTable()) && !Exists(JoinedMark());
}

// Its records, without the one-row table a missing file was replaced by and
// without rows no game could have written.
std::vector<std::pair<std::string, int32_t>> OwnTableRecords() {
    std::vector<std::pair<std::string, int32_t>> records;
    const hof::Table t = hof::ReadFile(PlayersDataFolder()).value_or(hof::Table{});
    for (size_t i = 0; i < t.Rows(); ++i) {
        const std::string& name = t.colNames[i];
        const std::optional<int32_t> score = hof::ValidScore(hof::NumberText(t.colScores[i]));
        if (!score || !hof::ValidName(name) || (name == "Plumo" && *score == 0)) continue;
        records.emplace_back(name, *score);
    }
    return records;
}

void MarkJoined() {
    const int fd = safeopen::Open(JoinedMark().toStdString(), O_WRONLY | O_CREAT | O_NOFOLLOW, 0644);
    if (fd >= 0) close(fd);
}
}  // namespace

std::optional<QString> Keep(const QString& tableDir, const hof::NewRow& row) {
    const Entry e{Folder(tableDir), hof::OneRowName(row.name),
                  row.score >= INT32_MAX   ? INT32_MAX
                  : row.score <= INT32_MIN ? INT32_MIN
                                           : int32_t(row.score)};
    auto keptIn = [&e](const QString& place) {
        const Held held(place, true);
        if (!held.Ok()) return false;
        std::vector<Entry> all = ReadIn(place).entries;
        all.push_back(e);
        return WriteIn(place, all);
    };
    const QString own = PlayersDataFolder();
    if (keptIn(own)) return own;
    // The spare folder is made only for a record the data folder refused.
    if (const std::optional<QString> spare = SpareDataFolder(true); spare && keptIn(*spare)) return spare;
    return std::nullopt;
}

int MergeInto(const QString& tableDir, const std::function<bool()>& keepWaiting) {
    struct Place {
        QString dir;
        std::unique_ptr<Held> held;
        Contents contents;
        std::vector<Entry> left;
    };
    std::vector<Place> places;
    std::vector<hof::NewRow> rows;
    hof::Table alone;  // the table when there is none yet
    auto add = [&rows, &alone](const std::string& name, int32_t score) {
        rows.push_back({name, double(score)});
        const long at = hof::InsertIndex(alone, score);
        if (at >= 0) hof::InsertAt(alone, static_cast<size_t>(at), name, score);
    };
    const std::string folder = Folder(tableDir);
    const QString own = PlayersDataFolder();
    const bool join = JoinsOwnTable(tableDir);
    for (const QString& dir : Places()) {
        const bool joinHere = join && dir == own;
        if (!Exists(FileIn(dir)) && !joinHere) continue;
        auto held = std::make_unique<Held>(dir, false);  // another copy puts them in
        if (!held->Ok()) continue;
        Place p{dir, std::move(held), ReadIn(dir), {}};
        for (const Entry& e : p.contents.entries) {
            if (e.folder == folder) add(e.name, e.score);
            else p.left.push_back(e);
        }
        if (joinHere && !Exists(JoinedMark()))
            for (const auto& [name, score] : OwnTableRecords()) add(name, score);
        places.push_back(std::move(p));
    }
    const bool saved = !rows.empty() && hof::SaveRows(tableDir, alone, rows, {}, {}, keepWaiting).has_value();
    for (Place& p : places) {
        if (saved) WriteIn(p.dir, p.left);
        else if (p.contents.untidy) WriteIn(p.dir, p.contents.entries);  // the junk goes, the records stay
        if ((saved || rows.empty()) && join && p.dir == own) MarkJoined();
    }
    return saved ? static_cast<int>(rows.size()) : 0;
}

}  // namespace pending
