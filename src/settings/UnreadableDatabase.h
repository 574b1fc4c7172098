#pragma once

#include <QString>

namespace norvan::settings {

// What the operator is told when the settings database at path cannot be read: the file, what is
// wrong with it in plain words (damaged, another key, not a database), and SQLite's own text in
// brackets. sqliteCode is SQLite's primary result code of the failure.
QString unreadableDatabaseMessage(const QString& path, int sqliteCode, const QString& sqliteText);

}  // namespace norvan::settings
