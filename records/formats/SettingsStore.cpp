#include "SettingsStore.h"

#include <QDir>

#include "platform/files/TextFile.h"

namespace settings {
namespace {
QString PathIn(const QString& dir) { return QDir(dir).filePath(kFileName); }

bool Write(const QString& dir, const std::string& utf8) { return textfile::Write(PathIn(dir), utf8); }

std::optional<Values> Read(const QString& dir, const QString& programDir) {
    const std::optional<std::string> text = textfile::Read(PathIn(dir), kMaxFileBytes);
    if (!text) return std::nullopt;
    return Parse(*text, programDir.toStdString());
}

Values WithFullPaths(Values v, const std::string& folder) {
    if (v.PathToBkgMusic == kDefaultPath) v.PathToBkgMusic = DefaultMusicPath(folder);
    for (size_t c = 0; c < v.channels.size(); ++c)
        if (v.channels[c].path == kDefaultPath)
            v.channels[c].path = DefaultEffectPath(folder, static_cast<FileChannel>(c));
    return v;
}
}  // namespace

bool WriteDefaultSettings(const QString& dir) { return Write(dir, Format(Defaults())); }

Values Load(const QString& dir, const QString& programDir) {
    if (auto v = Read(dir, programDir)) return *v;
    // Files kept in the player's data folder: the settings standing in the
    // program folder are the starting ones there.
    if (QDir(programDir) != QDir(dir))
        if (auto text = textfile::Read(PathIn(programDir), kMaxFileBytes))
            if (auto v = Parse(*text, programDir.toStdString())) {
                Write(dir, *text);
                return *v;
            }
    // Missing or unreadable: the default file replaces it and is read, once.
    if (WriteDefaultSettings(dir))
        if (auto v = Read(dir, programDir)) return *v;
    return WithFullPaths(Defaults(), programDir.toStdString());
}

bool Save(const QString& dir, const Values& v) { return Write(dir, Format(v)); }

}  // namespace settings
