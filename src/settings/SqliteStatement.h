#pragma once

#include <QString>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace norvan::settings {

// Raises the connection's last message as Error: the storage layer's words reach the operator.
[[noreturn]] void throwStorageError(sqlite3* db);

// Runs one or more statements that return nothing of interest.
void executeSql(sqlite3* db, const QString& sql);

// Whether the table has the column: a table made by an earlier version may lack it.
bool hasColumn(sqlite3* db, const QString& table, const QString& column);

// One prepared statement; errors are raised as Error with the storage layer's message.
class SqliteStatement {
  public:
    SqliteStatement(sqlite3* db, const QString& sql);

    // True while a result row is ready, false once the statement is done.
    bool step();

    // Parameters count from 1, columns from 0, as in SQLite.
    void bindText(int parameter, const QString& text);
    void bindInt(int parameter, int value);
    void bindInt64(int parameter, qint64 value);
    // Makes the statement ready to run again; bound parameters stay until bound anew.
    void reset();
    QString columnText(int column) const;  // NULL reads as empty text
    int columnInt(int column) const;       // NULL reads as 0
    qint64 columnInt64(int column) const;

  private:
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const;
    };
    sqlite3* db_;
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};

// BEGIN IMMEDIATE on construction; rolls back on destruction unless committed.
class SqliteTransaction {
  public:
    explicit SqliteTransaction(sqlite3* db);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    void commit();

  private:
    sqlite3* db_;
    bool open_ = true;
};

}  // namespace norvan::settings
