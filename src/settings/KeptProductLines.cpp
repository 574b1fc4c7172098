#include "KeptProductLines.h"

#include "SqliteStatement.h"

#include <sqlite3.h>
#include <QSet>
#include <limits>

namespace norvan::settings {

KeptProductLines::KeptProductLines(sqlite3* db) : db_(db) {
    // One transaction: the tables are made with one commit, and once made nothing is written.
    SqliteTransaction transaction(db_);
    // AUTOINCREMENT: an id is never given twice, so the order of ids stays the order kept.
    executeSql(db_, QStringLiteral("CREATE TABLE IF NOT EXISTS KeptProductLines ("
                                   "Id INTEGER PRIMARY KEY AUTOINCREMENT, Key TEXT NOT NULL, "
                                   "Line TEXT NOT NULL, Source INTEGER NOT NULL DEFAULT 0); "
                                   "CREATE INDEX IF NOT EXISTS KeptProductLinesByKey "
                                   "ON KeptProductLines (Key)"));
    // A table made before sources were told apart: its lines count as one source.
    if (!hasColumn(db_, QStringLiteral("KeptProductLines"), QStringLiteral("Source")))
        executeSql(db_, QStringLiteral("ALTER TABLE KeptProductLines "
                                       "ADD COLUMN Source INTEGER NOT NULL DEFAULT 0"));
    // A database of an earlier build replaced kept lines by a trigger; keep does it now.
    executeSql(db_, QStringLiteral("DROP TRIGGER IF EXISTS KeptProductLinesNewerWins; "
                                   "CREATE TABLE IF NOT EXISTS WaitingProductFileKeys ("
                                   "File TEXT NOT NULL, Key TEXT NOT NULL, "
                                   "PRIMARY KEY (File, Key)) WITHOUT ROWID"));
    transaction.commit();
}

QList<qsizetype> KeptProductLines::keep(const QList<KeptProductLine>& lines,
                                        ProductLineSource& source) {
    SqliteTransaction transaction(db_);
    if (source.number == 0) {
        // The id its first line gets: no line of another source ever had it.
        SqliteStatement last(db_, QStringLiteral("SELECT seq FROM sqlite_sequence "
                                                 "WHERE name = 'KeptProductLines'"));
        source.number = (last.step() ? last.columnInt64(0) : 0) + 1;
    }
    SqliteStatement heldBack(
        db_, QStringLiteral("SELECT 1 FROM WaitingProductFileKeys WHERE File = ? AND Key = ?"));
    heldBack.bindText(1, source.file);
    bool anyHeldBack = false;
    if (!source.file.isEmpty()) {
        SqliteStatement any(db_,
                            QStringLiteral("SELECT 1 FROM WaitingProductFileKeys WHERE File = ?"));
        any.bindText(1, source.file);
        anyHeldBack = any.step();
    }
    // Two statements a line: an insert that also deleted (by a trigger) would make SQLite keep an
    // encrypted copy of every page it touches, to be able to undo that statement alone, which
    // took 7 times as long as the rest of the work.
    SqliteStatement replaced(
        db_, QStringLiteral("DELETE FROM KeptProductLines WHERE Key = ? AND Source <> ?"));
    replaced.bindInt64(2, source.number);
    SqliteStatement add(
        db_, QStringLiteral("INSERT INTO KeptProductLines (Key, Line, Source) VALUES (?, ?, ?)"));
    add.bindInt64(3, source.number);
    SqliteStatement holdBack(
        db_, QStringLiteral("INSERT OR IGNORE INTO WaitingProductFileKeys (File, Key) "
                            "VALUES (?, ?)"));
    QList<qsizetype> leftOut;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const KeptProductLine& line = lines.at(i);
        if (anyHeldBack && !line.key.isEmpty()) {
            heldBack.reset();
            heldBack.bindText(2, line.key);
            if (heldBack.step()) {
                leftOut.append(i);
                continue;
            }
        }
        if (!line.key.isEmpty()) {
            replaced.reset();
            replaced.bindText(1, line.key);
            replaced.step();
        }
        add.reset();
        add.bindText(1, line.key);
        add.bindText(2, line.line);
        add.step();
        if (line.key.isEmpty()) continue;
        for (const QString& waiting : source.waitingBefore) {
            holdBack.reset();
            holdBack.bindText(1, waiting);
            holdBack.bindText(2, line.key);
            holdBack.step();
        }
    }
    transaction.commit();
    return leftOut;
}

void KeptProductLines::keep(const QList<KeptProductLine>& lines) {
    ProductLineSource source;
    keep(lines, source);
}

QList<KeptProductLine> KeptProductLines::lines() const {
    return linesAfter(0, std::numeric_limits<qsizetype>::max());
}

QList<KeptProductLine> KeptProductLines::linesAfter(qint64 id, qsizetype count) const {
    SqliteStatement select(db_, QStringLiteral("SELECT Id, Key, Line FROM KeptProductLines "
                                               "WHERE Id > ? ORDER BY Id LIMIT ?"));
    select.bindInt64(1, id);
    select.bindInt64(2, count);
    QList<KeptProductLine> lines;
    while (select.step())
        lines.append({select.columnInt64(0), select.columnText(1), select.columnText(2)});
    return lines;
}

qsizetype KeptProductLines::countAfter(qint64 id) const {
    SqliteStatement count(db_,
                          QStringLiteral("SELECT COUNT(*) FROM KeptProductLines WHERE Id > ?"));
    count.bindInt64(1, id);
    count.step();
    return count.columnInt64(0);
}

QList<KeptProductLine> KeptProductLines::linesNotHeld(const QList<KeptProductLine>& lines) const {
    // In one transaction: a statement on its own takes the file's lock and gives it back.
    SqliteTransaction transaction(db_);
    SqliteStatement select(db_, QStringLiteral("SELECT 1 FROM KeptProductLines "
                                               "WHERE Key = ?1 AND (?1 <> '' OR Line = ?2)"));
    QList<KeptProductLine> notHeld;
    for (const KeptProductLine& line : lines) {
        select.reset();
        select.bindText(1, line.key);
        select.bindText(2, line.line);
        if (!select.step()) notHeld.append(line);
    }
    transaction.commit();
    return notHeld;
}

void KeptProductLines::remove(const QList<qint64>& ids) {
    SqliteTransaction transaction(db_);
    SqliteStatement drop(db_, QStringLiteral("DELETE FROM KeptProductLines WHERE Id = ?"));
    for (const qint64 id : ids) {
        drop.reset();
        drop.bindInt64(1, id);
        drop.step();
    }
    transaction.commit();
}

// A commit to the write-ahead log is not synced; a checkpoint syncs the log and then the database
// file. With a rollback journal every commit was synced already, and this does nothing.
bool KeptProductLines::putOnDisk() {
    return sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr) ==
           SQLITE_OK;
}

void KeptProductLines::forgetWaitingFile(const QString& file) {
    SqliteStatement drop(db_, QStringLiteral("DELETE FROM WaitingProductFileKeys WHERE File = ?"));
    drop.bindText(1, file);
    drop.step();
}

void KeptProductLines::forgetWaitingFilesBut(const QStringList& files) {
    const QSet<QString> present(files.cbegin(), files.cend());
    SqliteStatement waiting(db_,
                            QStringLiteral("SELECT DISTINCT File FROM WaitingProductFileKeys"));
    QStringList gone;
    while (waiting.step())
        if (!present.contains(waiting.columnText(0))) gone.append(waiting.columnText(0));
    for (const QString& file : gone) forgetWaitingFile(file);
}

}  // namespace norvan::settings
