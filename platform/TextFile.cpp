#include "TextFile.h"

#include <QFile>
#include <QSaveFile>

#include "CodePage.h"

namespace textfile {

std::optional<std::string> Read(const QString& path, qint64 maxBytes) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray b = maxBytes < 0 ? f.readAll() : f.read(maxBytes);
    if (f.error() != QFileDevice::NoError) return std::nullopt;
    return codepage::FromCp1251(std::string_view(b.constData(), static_cast<size_t>(b.size())));
}

bool Write(const QString& path, const std::string& utf8, const std::function<void()>& beforeReplace) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    const std::string bytes = codepage::ToCp1251(utf8);
    if (f.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        f.cancelWriting();
        return false;
    }
    if (beforeReplace) beforeReplace();
    return f.commit();
}

}  // namespace textfile
