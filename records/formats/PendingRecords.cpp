#include "PendingRecords.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <vector>

#include "platform/files/DataFolder.h"
#include "platform/files/SafeOpen.h"
#include "platform/files/TextFile.h"
#include "platform/files/TextLines.h"

namespace pending {
namespace {
struct Entry {
    std::string folder, name, score;
};

QString FilePath() { return QDir(PlayersDataFolder()).filePath(kFileName); }

// The file's own lock, held while it is read and written: one copy at a
// time (a lock of its own, so the table's lock, taken meanwhile, never
// meets it, even in the same folder).
class Held {
public:
    explicit Held(bool wait) {
        fd_ = safeopen::Open((FilePath() + ".lock").toStdString(), O_RDWR | O_CREAT, 0600);
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
    bool Ok() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

std::vector<Entry> ReadAll() {
    std::vector<Entry> all;
    const std::optional<std::string> text = textfile::Read(FilePath());
    if (!text) return all;
    const std::vector<std::string_view> lines = textfile::SplitLines(*text);
    for (size_t i = 0; i + 2 < lines.size(); i += 3)
        all.push_back({std::string(lines[i]), std::string(lines[i + 1]), std::string(lines[i + 2])});
    return all;
}

bool WriteAll(const std::vector<Entry>& all) {
    if (all.empty()) return QFile::remove(FilePath()) || !QFile::exists(FilePath());
    std::string text;
    for (const Entry& e : all) text += e.folder + "\n" + e.name + "\n" + e.score + "\n";
    return textfile::Write(FilePath(), text);
}

std::string Folder(const QString& dir) { return QDir(dir).absolutePath().toStdString(); }
}  // namespace

bool Keep(const QString& tableDir, const hof::NewRow& row) {
    const Held held(true);
    if (!held.Ok()) return false;
    std::vector<Entry> all = ReadAll();
    all.push_back({Folder(tableDir), row.name, hof::NumberText(row.score)});
    return WriteAll(all);
}

int MergeInto(const QString& tableDir, const std::function<bool()>& keepWaiting) {
    if (!QFile::exists(FilePath())) return 0;
    const Held held(false);  // another copy puts them in
    if (!held.Ok()) return 0;
    std::vector<Entry> all = ReadAll(), left;
    int saved = 0;
    for (const Entry& e : all) {
        if (e.folder != Folder(tableDir)) {
            left.push_back(e);
            continue;
        }
        const hof::NewRow row{e.name, hof::LeadingNumber(e.score)};
        hof::Table alone;
        hof::InsertAt(alone, 0, row.name, row.score);
        if (hof::Save(tableDir, alone, row, {}, {}, keepWaiting)) ++saved;
        else left.push_back(e);
    }
    if (saved > 0) WriteAll(left);
    return saved;
}

}  // namespace pending
