#include "KeptProductLines.h"

#include "SqliteStatement.h"

namespace norvan::settings {

KeptProductLines::KeptProductLines(sqlite3* db) : db_(db) {
    // AUTOINCREMENT: an id is never given twice, so the order of ids stays the order kept.
    executeSql(db_, QStringLiteral("CREATE TABLE IF NOT EXISTS KeptProductLines ("
                                   "Id INTEGER PRIMARY KEY AUTOINCREMENT, "
                                   "Key TEXT NOT NULL, Line TEXT NOT NULL); "
                                   "CREATE INDEX IF NOT EXISTS KeptProductLinesByKey "
                                   "ON KeptProductLines (Key)"));
}

void KeptProductLines::keep(const QList<KeptProductLine>& lines) {
    SqliteTransaction transaction(db_);
    SqliteStatement drop(db_, QStringLiteral("DELETE FROM KeptProductLines WHERE Key = ?"));
    for (const KeptProductLine& line : lines) {
        if (line.key.isEmpty()) continue;
        drop.reset();
        drop.bindText(1, line.key);
        drop.step();
    }
    SqliteStatement add(db_,
                        QStringLiteral("INSERT INTO KeptProductLines (Key, Line) VALUES (?, ?)"));
    for (const KeptProductLine& line : lines) {
        add.reset();
        add.bindText(1, line.key);
        add.bindText(2, line.line);
        add.step();
    }
    transaction.commit();
}

QList<KeptProductLine> KeptProductLines::lines() const {
    SqliteStatement select(
        db_, QStringLiteral("SELECT Id, Key, Line FROM KeptProductLines ORDER BY Id"));
    QList<KeptProductLine> lines;
    while (select.step())
        lines.append({select.columnInt64(0), select.columnText(1), select.columnText(2)});
    return lines;
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

}  // namespace norvan::settings
