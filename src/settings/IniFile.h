#pragma once

#include <QString>

namespace norvan::settings {

// SetManifest.ini, used as the Windows profile functions use an INI file: section and key
// names ignore letter case, other lines are kept, values are trimmed and read back to at most
// 2,047 characters, the file is written in the accounting program's code page.
// Each call reads the file anew; nothing is cached between calls.
// Write mode writes Ident=Value (creating the file and section), reads it back and returns it.
// Delete mode removes Ident from Section and returns the value it had.
// Throws Error("Unable to write to <fileName>") when the file cannot be written; a failed write
// leaves the file as it was.
QString IniReadWrite(const QString& fileName, const QString& section, const QString& ident,
                     const QString& value, bool aWrite, bool aDelete);

}  // namespace norvan::settings
