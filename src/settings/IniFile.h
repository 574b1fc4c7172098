#pragma once

#include <QString>

namespace norvan::settings {

// SetManifest.ini, used as the Windows profile functions use an INI file: section and key
// names ignore letter case, other lines are kept, values are trimmed and read back to at most
// 2,047 characters, the file is written in the accounting program's code page.
// Each call reads the file anew; nothing is cached between calls.
// Throws Error("Unable to write to <fileName>") when the file cannot be written; a failed write
// leaves the file as it was.
enum class IniAccess {
    Read,    // returns the value of Ident; Value is not used
    Write,   // writes Ident=Value (creating the file and section), reads it back and returns it
    Delete,  // removes Ident from Section and returns the value it had; Value is not used
};
QString IniReadWrite(const QString& fileName, const QString& section, const QString& ident,
                     const QString& value, IniAccess access);

}  // namespace norvan::settings
