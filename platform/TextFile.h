#pragma once
// Text files of the game: Windows-1251 on disk, UTF-8 inside, lines ended by
// CR LF (LF or CR alone read too). Writes replace the old file only when the
// new one is complete.
#include <QString>
#include <functional>
#include <optional>
#include <string>

namespace textfile {
// The file's text, or nothing when it cannot be opened or read.
std::optional<std::string> Read(const QString& path, qint64 maxBytes = -1);
// Writes the text; `beforeReplace` runs once it is written, before it
// replaces the old file. False when it cannot be written.
bool Write(const QString& path, const std::string& utf8, const std::function<void()>& beforeReplace = {});
}  // namespace textfile
