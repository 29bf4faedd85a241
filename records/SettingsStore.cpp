#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "platform/CodePage.h"

namespace settings {
namespace {
QString PathIn(const QString& dir) { return QDir(dir).filePath(kFileName); }

bool Write(const QString& dir, const std::string& utf8) {
    QSaveFile f(PathIn(dir));
    if (!f.open(QIODevice::WriteOnly)) return false;
    const std::string bytes = codepage::ToCp1251(utf8);
    if (f.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

std::optional<Values> Read(const QString& dir) {
    QFile f(PathIn(dir));
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray b = f.read(1 << 20);  // a settings file is a few kilobytes
    return Parse(codepage::FromCp1251(std::string_view(b.constData(), static_cast<size_t>(b.size()))),
                 dir.toStdString());
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

Values Load(const QString& dir) {
    if (auto v = Read(dir)) return *v;
    // Missing or unreadable: the default file replaces it and is read, once.
    if (WriteDefaultSettings(dir))
        if (auto v = Read(dir)) return *v;
    return WithFullPaths(Defaults(), dir.toStdString());
}

bool Save(const QString& dir, const Values& v) { return Write(dir, Format(v)); }

}  // namespace settings
