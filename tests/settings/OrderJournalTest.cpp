#include "OrderJournal.h"
#include "SettingsDatabase.h"
#include "SqliteStatement.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace norvan::settings {
namespace {

// A journal an earlier version made, without the order's date: its entries stay readable, the
// date unknown, and new entries keep theirs.
TEST(OrderJournal, ATableOfAnEarlierVersionGainsTheModificationDate) {
    QTemporaryDir dir;
    SettingsDatabase database(dir.filePath("EcomDB.s3db"));
    executeSql(database.connection(),
               "CREATE TABLE OrderJournal (OrderId TEXT PRIMARY KEY, State INTEGER NOT NULL, "
               "PartFile TEXT, OrderFile TEXT); "
               "INSERT INTO OrderJournal VALUES ('15', 1, '', '/o/Order_1.ecom')");

    OrderJournal journal(database);
    const std::optional<OrderJournalEntry> earlier = journal.find("15");
    ASSERT_TRUE(earlier);
    EXPECT_EQ(earlier->state, OrderJournalEntry::State::Written);
    EXPECT_EQ(earlier->orderFile, "/o/Order_1.ecom");
    EXPECT_EQ(earlier->modifiedGmt, "");

    journal.recordWritten("16", "/o/Order_2.ecom", "2026-12-11T09:43:59");
    EXPECT_EQ(OrderJournal(database).find("16")->modifiedGmt, "2026-12-11T09:43:59");
}

}  // namespace
}  // namespace norvan::settings
