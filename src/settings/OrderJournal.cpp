#include "OrderJournal.h"

#include "SettingsDatabase.h"
#include "SqliteStatement.h"

namespace norvan::settings {

OrderJournal::OrderJournal(SettingsDatabase& database) : database_(database) {
    sqlite3* db = database_.connection();
    executeSql(db, QStringLiteral("CREATE TABLE IF NOT EXISTS OrderJournal (OrderId TEXT PRIMARY "
                                  "KEY, State INTEGER NOT NULL, PartFile TEXT, OrderFile TEXT, "
                                  "ModifiedGmt TEXT)"));
    // A table made by an earlier version: its entries read as of an unknown date.
    if (!hasColumn(db, QStringLiteral("OrderJournal"), QStringLiteral("ModifiedGmt")))
        executeSql(db, QStringLiteral("ALTER TABLE OrderJournal ADD COLUMN ModifiedGmt TEXT"));
}

std::optional<OrderJournalEntry> OrderJournal::find(const QString& orderId) const {
    SqliteStatement select(database_.connection(),
                           QStringLiteral("SELECT State, PartFile, OrderFile, ModifiedGmt FROM "
                                          "OrderJournal WHERE OrderId = ?"));
    select.bindText(1, orderId);
    if (!select.step()) return std::nullopt;
    return OrderJournalEntry{.state = static_cast<OrderJournalEntry::State>(select.columnInt(0)),
                             .partFile = select.columnText(1),
                             .orderFile = select.columnText(2),
                             .modifiedGmt = select.columnText(3)};
}

void OrderJournal::recordWriting(const QString& orderId, const QString& partFile,
                                 const QString& orderFile, const QString& modifiedGmt) {
    database_.writeDurably([&] {
        record(orderId, {.state = OrderJournalEntry::State::Writing,
                         .partFile = partFile,
                         .orderFile = orderFile,
                         .modifiedGmt = modifiedGmt});
    });
}

void OrderJournal::recordWritten(const QString& orderId, const QString& orderFile,
                                 const QString& modifiedGmt) {
    record(orderId, {.state = OrderJournalEntry::State::Written,
                     .partFile = QString(),
                     .orderFile = orderFile,
                     .modifiedGmt = modifiedGmt});
}

// One statement is one transaction: the entry is either the old one or the new one.
void OrderJournal::record(const QString& orderId, const OrderJournalEntry& entry) {
    SqliteStatement upsert(database_.connection(),
                           QStringLiteral("INSERT OR REPLACE INTO OrderJournal (OrderId, State, "
                                          "PartFile, OrderFile, ModifiedGmt) VALUES (?, ?, ?, ?, "
                                          "?)"));
    upsert.bindText(1, orderId);
    upsert.bindInt(2, static_cast<int>(entry.state));
    upsert.bindText(3, entry.partFile);
    upsert.bindText(4, entry.orderFile);
    upsert.bindText(5, entry.modifiedGmt);
    upsert.step();
}

void OrderJournal::forget(const QString& orderId) {
    SqliteStatement remove(database_.connection(),
                           QStringLiteral("DELETE FROM OrderJournal WHERE OrderId = ?"));
    remove.bindText(1, orderId);
    remove.step();
}

QStringList OrderJournal::partFiles() const {
    SqliteStatement select(database_.connection(),
                           QStringLiteral("SELECT PartFile FROM OrderJournal WHERE State = ?"));
    select.bindInt(1, static_cast<int>(OrderJournalEntry::State::Writing));
    QStringList files;
    while (select.step()) files.append(select.columnText(0));
    return files;
}

}  // namespace norvan::settings
