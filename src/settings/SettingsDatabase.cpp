#include "SettingsDatabase.h"

#include "FolderLock.h"
#include "SettingsColumns.h"
#include "SqliteStatement.h"
#include "UnreadableDatabase.h"
#include "common/Error.h"
#include "common/FileMove.h"

#include <sqlite3.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStringList>
#include <cerrno>

namespace norvan::settings {

namespace {

QString quoted(const QString& text) {
    return u'\'' + QString(text).replace(QStringLiteral("'"), QStringLiteral("''")) + u'\'';
}

int majorVersion(const QString& version) {
    return version.section(u'.', 0, 0).toInt();
}

// Keys the connection and pins the cipher to SQLCipher 3's settings (page size 1024,
// PBKDF2-HMAC-SHA1 with 64,000 iterations, HMAC-SHA1), so that a file made by one SQLCipher
// version opens with any other and with the sqlcipher shell.
void applyKey(sqlite3* db) {
    executeSql(
        db, QStringLiteral("PRAGMA key = %1").arg(quoted(QString::fromLatin1(kDatabasePassword))));
    SqliteStatement version(db, QStringLiteral("PRAGMA cipher_version"));
    // A plain SQLite ignores the key and would write the settings unencrypted.
    if (!version.step()) throw Error(QStringLiteral("The settings database needs SQLCipher"));
    if (majorVersion(version.columnText(0)) >= 4) {
        executeSql(db, QStringLiteral("PRAGMA cipher_compatibility = 3"));
    } else {
        executeSql(db, QStringLiteral("PRAGMA cipher_page_size = 1024; PRAGMA kdf_iter = 64000; "
                                      "PRAGMA cipher_use_hmac = ON"));
    }
}

QStringList columnNames(ColumnWriter writer) {
    QStringList names;
    for (const SettingsColumn& column : kSettingsColumns) {
        if (column.writer == writer) names << QString::fromLatin1(column.name);
    }
    return names;
}

QString writeSql(ColumnWriter writer, std::optional<qint64> rowId) {
    const QStringList names = columnNames(writer);
    if (rowId) {
        return QStringLiteral("UPDATE Settings SET %1 = ? WHERE rowid = %2")
            .arg(names.join(u" = ?, "))
            .arg(*rowId);
    }
    return QStringLiteral("INSERT INTO Settings (%1) VALUES (?%2)")
        .arg(names.join(u", "), QStringLiteral(", ?").repeated(names.size() - 1));
}

QString createTableSql() {
    QStringList definitions;
    for (const SettingsColumn& column : kSettingsColumns)
        definitions << QString::fromLatin1(column.name) + u' ' + column.declaredType();
    return QStringLiteral("CREATE TABLE Settings (%1)").arg(definitions.join(u", "));
}

QString selectFirstRowSql() {
    QStringList names;
    for (const SettingsColumn& column : kSettingsColumns) names << QString::fromLatin1(column.name);
    return QStringLiteral("SELECT %1 FROM Settings ORDER BY rowid LIMIT 1").arg(names.join(u", "));
}

std::optional<qint64> firstRowId(sqlite3* db) {
    SqliteStatement select(db, QStringLiteral("SELECT rowid FROM Settings ORDER BY rowid LIMIT 1"));
    if (!select.step()) return std::nullopt;
    return select.columnInt64(0);
}

// A database being made is named ".EcomDB.s3db.<random>.new" beside the database; its journal
// adds "-journal".
QString partNamePrefix(const QFileInfo& database) {
    return u'.' + database.fileName() + u'.';
}

// The files SQLite keeps beside a database: its rollback journal, its write-ahead log and the
// log's index. A journal or log left without its database would be played back into a new file
// of that name.
constexpr const char* kJournalSuffixes[] = {"-journal", "-wal", "-shm"};

void removeLeftover(const QString& partPath) {
    QFile::remove(partPath);
    for (const char* suffix : kJournalSuffixes) QFile::remove(partPath + QLatin1String(suffix));
}

// Under the folder lock nobody is making a database: what a crash left is removed. What cannot be
// removed is still never taken for the database.
void removeLeftovers(const QFileInfo& database) {
    const QDir folder(database.absolutePath());
    const QStringList names = folder.entryList({partNamePrefix(database) + u'*'},
                                               QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) QFile::remove(folder.filePath(name));
}

void removeInTheWay(const QString& inTheWay, const QString& databasePath) {
    if (::unlink(QFile::encodeName(inTheWay).constData()) != 0 && errno != ENOENT)
        throw Error(QStringLiteral("Cannot create file \"%1\". \"%2\" is in the way: %3")
                        .arg(QDir::toNativeSeparators(databasePath),
                             QDir::toNativeSeparators(inTheWay), qt_error_string(errno)));
}

}  // namespace

void SettingsDatabase::Closer::operator()(sqlite3* db) const {
    sqlite3_close_v2(db);
}

SettingsDatabase::SettingsDatabase(const QString& path) {
    // Start-ups in one folder take turns, so that a creation in progress is never taken for the
    // leftover of a crash and two first starts do not both place a database.
    const FolderLock lock(QFileInfo(path).absolutePath());
    const QFileInfo file(path);
    removeLeftovers(file);
    // A zero-byte file is what an older build left when killed while creating the database.
    if (file.exists() && !(file.isFile() && file.size() == 0)) {
        open(path);
    } else {
        create(path, lock);
    }
}

SettingsDatabase::~SettingsDatabase() = default;

void SettingsDatabase::connect(const QString& path) {
    sqlite3* raw = nullptr;
    // Without SQLITE_OPEN_CREATE: a file that vanished meanwhile is not made anew here.
    const int rc =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    db_.reset(raw);
    if (rc != SQLITE_OK) {
        if (!raw) throw Error(QString::fromUtf8(sqlite3_errstr(rc)));
        throwStorageError(raw);
    }
    applyKey(raw);
}

void SettingsDatabase::open(const QString& path) {
    try {
        connect(path);
        // Reading the schema and the first row proves the key, the table and its first page;
        // nothing is written to the file.
        SqliteStatement(db_.get(), selectFirstRowSql()).step();
    } catch (const Error& e) {
        const int code = db_ ? sqlite3_errcode(db_.get()) & 0xff : SQLITE_CANTOPEN;
        db_.reset();
        throw Error(unreadableDatabaseMessage(path, code, e.message()));
    }
    useWriteAheadLog();
}

// With a write-ahead log a commit is an append to the "-wal" file that needs no sync of its own
// (synchronous NORMAL): a killed program loses nothing committed, and a power cut may undo the
// latest commits but never damages the file. The log is synced before each checkpoint, and by
// writeDurably. A file whose mode cannot be changed (read-only) keeps its rollback journal, with
// every commit synced.
void SettingsDatabase::useWriteAheadLog() {
    try {
        SqliteStatement mode(db_.get(), QStringLiteral("PRAGMA journal_mode = WAL"));
        writeAheadLog_ = mode.step() && mode.columnText(0) == QStringLiteral("wal");
    } catch (const Error&) {
        writeAheadLog_ = false;
    }
    if (writeAheadLog_) executeSql(db_.get(), QStringLiteral("PRAGMA synchronous = NORMAL"));
}

void SettingsDatabase::writeDurably(const std::function<void()>& write) {
    if (!writeAheadLog_) {
        write();
        return;
    }
    // FULL syncs the log at every commit, which makes all earlier commits durable as well.
    executeSql(db_.get(), QStringLiteral("PRAGMA synchronous = FULL"));
    const auto ordinary = qScopeGuard([this] {
        sqlite3_exec(db_.get(), "PRAGMA synchronous = NORMAL", nullptr, nullptr, nullptr);
    });
    write();
}

void SettingsDatabase::create(const QString& path, const FolderLock& lock) {
    removeInTheWay(path, path);  // zero bytes: nothing to keep
    // SQLite would play an orphaned journal back into the new file and undo its table.
    for (const char* suffix : kJournalSuffixes) removeInTheWay(path + QLatin1String(suffix), path);

    // Made complete under a name of its own and then given its name, so that a crash at any
    // instant leaves either no database or a whole one.
    const QFileInfo database(path);
    const QString partName =
        partNamePrefix(database) +
        QStringLiteral("%1.new").arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0'));
    const QString partPath = QDir(database.absolutePath()).filePath(partName);
    try {
        makeEmptyDatabase(partPath, path);
        // Another program may have placed a database meanwhile: that one is kept and opened.
        common::moveWithoutReplacing(partPath, path);
        lock.syncNames();
    } catch (...) {
        db_.reset();
        removeLeftover(partPath);
        throw;
    }
    removeLeftover(partPath);  // still there when another database was placed first
    open(path);
}

void SettingsDatabase::makeEmptyDatabase(const QString& partPath, const QString& path) {
    try {
        QFile part(partPath);
        if (!part.open(QIODevice::WriteOnly | QIODevice::NewOnly)) throw Error(part.errorString());
        part.close();
        connect(partPath);
        SqliteTransaction transaction(db_.get());
        executeSql(db_.get(), createTableSql());
        transaction.commit();  // made durable by SQLite before it returns
        db_.reset();
    } catch (const Error& e) {
        throw Error(QStringLiteral("Cannot create file \"%1\". %2")
                        .arg(QDir::toNativeSeparators(path), e.message()));
    }
}

std::optional<SettingsRow> SettingsDatabase::firstRow() const {
    SqliteStatement select(db_.get(), selectFirstRowSql());
    if (!select.step()) return std::nullopt;
    SettingsRow row;
    int index = 0;  // the select lists the columns in this order
    for (const SettingsColumn& column : kSettingsColumns) {
        if (column.isBoolean()) {
            row.*column.flag = select.columnInt(index) != 0;
        } else {
            row.*column.text = select.columnText(index);
        }
        ++index;
    }
    return row;
}

// What the operator saved is on disk before the window says so.
void SettingsDatabase::saveSettings(const SettingsRow& row) {
    writeDurably([&] { writeColumns(ColumnWriter::Save, row, true); });
}

bool SettingsDatabase::saveOrderMapping(const QString& ordParams, const QString& itemParams) {
    SettingsRow row;
    row.ordParams = ordParams;
    row.itemParams = itemParams;
    bool stored = false;
    writeDurably([&] { stored = writeColumns(ColumnWriter::OrderMapping, row, false); });
    return stored;
}

bool SettingsDatabase::writeColumns(ColumnWriter writer, const SettingsRow& row,
                                    bool insertWhenMissing) {
    SqliteTransaction transaction(db_.get());
    const std::optional<qint64> rowId = firstRowId(db_.get());
    if (!rowId && !insertWhenMissing) return false;
    SqliteStatement statement(db_.get(), writeSql(writer, rowId));
    int parameter = 1;
    for (const SettingsColumn& column : kSettingsColumns) {
        if (column.writer != writer) continue;
        if (column.isBoolean()) {
            statement.bindInt(parameter++, row.*column.flag ? 1 : 0);
        } else {
            statement.bindText(parameter++, cutToLength(row.*column.text, column.maxLength));
        }
    }
    statement.step();
    transaction.commit();
    return true;
}

}  // namespace norvan::settings
