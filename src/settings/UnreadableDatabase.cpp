#include "UnreadableDatabase.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <bitset>
#include <cmath>

namespace norvan::settings {

namespace {

// Every SQLite file of any page size is a whole number of 512-byte blocks.
constexpr qint64 kSmallestPageSize = 512;

// An encrypted page is indistinguishable from random bytes: nearly every byte value turns up.
// Text and most other files use far fewer.
bool looksEncrypted(const QByteArray& head) {
    std::bitset<256> seen;
    for (const char byte : head) seen.set(static_cast<unsigned char>(byte));
    const double expected = 256.0 * (1.0 - std::pow(255.0 / 256.0, double(head.size())));
    return !head.isEmpty() && double(seen.count()) >= 0.75 * expected;
}

QString whatIsWrong(const QString& path, int sqliteCode) {
    switch (sqliteCode) {
        case SQLITE_CORRUPT:
            return QStringLiteral("is damaged and cannot be read");
        case SQLITE_ERROR:  // readable with the key, but the table or its columns are missing
            return QStringLiteral(
                "is not this program's database: it has no usable Settings table");
        case SQLITE_NOTADB:
            break;
        default:
            return QStringLiteral("cannot be opened");
    }
    QFile file(path);
    const QByteArray head = file.open(QIODevice::ReadOnly) ? file.read(1024) : QByteArray();
    if (head.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return QStringLiteral(
            "is not this program's database: it is an unencrypted SQLite database");
    if (!looksEncrypted(head)) return QStringLiteral("is not a database at all");
    if (QFileInfo(path).size() % kSmallestPageSize != 0)
        return QStringLiteral("is damaged and cannot be read: part of it is missing");
    return QStringLiteral(
        "cannot be read with this program's key: it was encrypted with another key, or it is not "
        "this program's database");
}

}  // namespace

QString unreadableDatabaseMessage(const QString& path, int sqliteCode, const QString& sqliteText) {
    return QStringLiteral("The settings database \"%1\" %2. (%3)")
        .arg(QDir::toNativeSeparators(path), whatIsWrong(path, sqliteCode), sqliteText);
}

}  // namespace norvan::settings
