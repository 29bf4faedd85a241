#pragma once
// GMirvax.ini on disk: read with its recovery, written safely.
#include <QString>

#include "SettingsFile.h"

namespace settings {

// Writes the default file; false when it cannot be written.
bool WriteDefaultSettings(const QString& dir);
// The values of the file in `dir`. A missing or unreadable file is replaced
// by the default file, which is then read; when that fails too, the
// built-in defaults are used.
Values Load(const QString& dir);
// Writes the whole file through a temporary file that replaces the old one
// only when complete. False when it cannot be written (the old file stays).
bool Save(const QString& dir, const Values& v);

}  // namespace settings
