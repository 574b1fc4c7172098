#include "OrderJournal.h"

#include "SettingsDatabase.h"
#include "SqliteStatement.h"

namespace norvan::settings {

OrderJournal::OrderJournal(SettingsDatabase& database) : database_(database) {
    executeSql(database_.connection(),
               QStringLiteral("CREATE TABLE IF NOT EXISTS OrderJournal (OrderId TEXT PRIMARY KEY, "
                              "State INTEGER NOT NULL, PartFile TEXT, OrderFile TEXT)"));
}

std::optional<OrderJournalEntry> OrderJournal::find(const QString& orderId) const {
    SqliteStatement select(
        database_.connection(),
        QStringLiteral("SELECT State, PartFile, OrderFile FROM OrderJournal WHERE OrderId = ?"));
    select.bindText(1, orderId);
    if (!select.step()) return std::nullopt;
    return OrderJournalEntry{.state = static_cast<OrderJournalEntry::State>(select.columnInt(0)),
                             .partFile = select.columnText(1),
                             .orderFile = select.columnText(2)};
}

void OrderJournal::recordWriting(const QString& orderId, const QString& partFile,
                                 const QString& orderFile) {
    record(orderId, OrderJournalEntry::State::Writing, partFile, orderFile);
}

void OrderJournal::recordWritten(const QString& orderId, const QString& orderFile) {
    record(orderId, OrderJournalEntry::State::Written, QString(), orderFile);
}

// One statement is one transaction: the entry is either the old one or the new one.
void OrderJournal::record(const QString& orderId, OrderJournalEntry::State state,
                          const QString& partFile, const QString& orderFile) {
    SqliteStatement upsert(database_.connection(),
                           QStringLiteral("INSERT OR REPLACE INTO OrderJournal (OrderId, State, "
                                          "PartFile, OrderFile) VALUES (?, ?, ?, ?)"));
    upsert.bindText(1, orderId);
    upsert.bindInt(2, static_cast<int>(state));
    upsert.bindText(3, partFile);
    upsert.bindText(4, orderFile);
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
