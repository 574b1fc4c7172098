#include "SqliteStatement.h"

#include "common/Error.h"

#include <sqlite3.h>

namespace norvan::settings {

void throwStorageError(sqlite3* db) {
    throw Error(QString::fromUtf8(sqlite3_errmsg(db)));
}

void executeSql(sqlite3* db, const QString& sql) {
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throwStorageError(db);
}

void SqliteStatement::Finalizer::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

SqliteStatement::SqliteStatement(sqlite3* db, const QString& sql) : db_(db) {
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &raw, nullptr);
    statement_.reset(raw);
    if (rc != SQLITE_OK) throwStorageError(db_);
}

bool SqliteStatement::step() {
    switch (sqlite3_step(statement_.get())) {
        case SQLITE_ROW:
            return true;
        case SQLITE_DONE:
            return false;
        default:
            throwStorageError(db_);
    }
}

void SqliteStatement::bindText(int parameter, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    if (sqlite3_bind_text(statement_.get(), parameter, utf8.constData(), int(utf8.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK)
        throwStorageError(db_);
}

void SqliteStatement::bindInt(int parameter, int value) {
    if (sqlite3_bind_int(statement_.get(), parameter, value) != SQLITE_OK) throwStorageError(db_);
}

void SqliteStatement::bindInt64(int parameter, qint64 value) {
    if (sqlite3_bind_int64(statement_.get(), parameter, value) != SQLITE_OK) throwStorageError(db_);
}

void SqliteStatement::reset() {
    sqlite3_reset(statement_.get());
}

QString SqliteStatement::columnText(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_.get(), column));
    return QString::fromUtf8(text, sqlite3_column_bytes(statement_.get(), column));
}

int SqliteStatement::columnInt(int column) const {
    return sqlite3_column_int(statement_.get(), column);
}

qint64 SqliteStatement::columnInt64(int column) const {
    return sqlite3_column_int64(statement_.get(), column);
}

SqliteTransaction::SqliteTransaction(sqlite3* db) : db_(db) {
    executeSql(db_, QStringLiteral("BEGIN IMMEDIATE"));
}

SqliteTransaction::~SqliteTransaction() {
    if (open_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteTransaction::commit() {
    executeSql(db_, QStringLiteral("COMMIT"));
    open_ = false;
}

bool hasColumn(sqlite3* db, const QString& table, const QString& column) {
    SqliteStatement columns(db, QStringLiteral("PRAGMA table_info(%1)").arg(table));
    while (columns.step())
        if (columns.columnText(1) == column) return true;
    return false;
}

}  // namespace norvan::settings
