#pragma once
// GMirvax.ini on disk: read with its recovery, written safely.
#include <QString>

#include "SettingsFile.h"

namespace settings {

// Writes the default file; false when it cannot be written.
bool WriteDefaultSettings(const QString& dir);
// What a valid file can hold (59 lines, eleven of them paths), with room.
inline constexpr qint64 kMaxFileBytes = 64 * 1024;

// The values of the file in `dir`; default paths ("...") name the sounds of
// `programDir`. A missing or unreadable file is replaced by the default
// file, which is then read; when that fails too, the built-in defaults are
// used.
Values Load(const QString& dir, const QString& programDir);
// Writes the whole file through a temporary file that replaces the old one
// only when complete. False when it cannot be written (the old file stays).
bool Save(const QString& dir, const Values& v);

}  // namespace settings
