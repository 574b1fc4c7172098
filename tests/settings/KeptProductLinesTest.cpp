#include "KeptProductLines.h"
#include "SettingsDatabase.h"
#include "SqliteStatement.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace norvan::settings {
namespace {

QStringList texts(const KeptProductLines& kept) {
    QStringList lines;
    for (const KeptProductLine& line : kept.lines()) lines.append(line.line);
    return lines;
}

TEST(KeptProductLines, NewerLinesReplaceKeptOnesOfTheirKeyAndOutliveTheConnection) {
    QTemporaryDir dir;
    const QString path = dir.path() + "/EcomDB.s3db";
    {
        SettingsDatabase database(path);
        SettingsRow row;
        row.ecomUrl = QStringLiteral("https://shop.example/");
        database.saveSettings(row);
        KeptProductLines kept(database.connection());
        kept.keep({{0, "a", "A;1"}, {0, "b", "B;1"}, {0, "", ";1"}, {0, "c", "C;1"}});
        // Lines of one batch do not replace each other; an empty key replaces nothing.
        kept.keep({{0, "a", "a;2"}, {0, "a", "A;3"}, {0, "", ";2"}});
        kept.remove({kept.lines().at(0).id});  // B;1 was confirmed
        EXPECT_EQ(texts(kept), QStringList({";1", "C;1", "a;2", "A;3", ";2"}));
    }
    SettingsDatabase reopened(path);
    EXPECT_EQ(texts(KeptProductLines(reopened.connection())),
              QStringList({";1", "C;1", "a;2", "A;3", ";2"}));
    EXPECT_EQ(reopened.firstRow()->ecomUrl, QStringLiteral("https://shop.example/"));
}

// A database whose table was made before the lines' sources were told apart: its lines are kept
// and sent as they were, and newer lines replace them.
TEST(KeptProductLines, LinesOfAnEarlierTableStayAndNewerLinesReplaceThem) {
    QTemporaryDir dir;
    SettingsDatabase database(dir.path() + "/EcomDB.s3db");
    executeSql(database.connection(),
               "CREATE TABLE KeptProductLines (Id INTEGER PRIMARY KEY AUTOINCREMENT, "
               "Key TEXT NOT NULL, Line TEXT NOT NULL); "
               "INSERT INTO KeptProductLines (Key, Line) VALUES ('a', 'A;1'), ('b', 'B;1')");
    KeptProductLines kept(database.connection());
    kept.keep({{0, "a", "A;2"}});
    EXPECT_EQ(texts(kept), QStringList({"B;1", "A;2"}));
    EXPECT_EQ(kept.countAfter(kept.lines().at(0).id), 1);
}

}  // namespace
}  // namespace norvan::settings
