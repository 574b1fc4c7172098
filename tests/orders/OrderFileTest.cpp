#include "orders/OrderFile.h"
#include "support/ExpectError.h"
#include "support/Printers.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace norvan::orders {
namespace {

const QDateTime kAfternoon(QDate(2024, 5, 17), QTime(14, 3, 22));

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QStringList everyEntry(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

TEST(OrderFile, NameCarriesTheLocalTime) {
    const struct {
        QDateTime time;
        int copy;
        const char* name;
    } cases[] = {
        {kAfternoon, 1, "Order_2024-05-17 14-03-22.ecom"},
        {kAfternoon, 2, "Order_2024-05-17 14-03-22_2.ecom"},
        {QDateTime(QDate(2024, 5, 17), QTime(0, 0)), 1, "Order_2024-05-17.ecom"},
        {QDateTime(QDate(2024, 5, 17), QTime(0, 0)), 3, "Order_2024-05-17_3.ecom"},
        {QDateTime(QDate(2024, 5, 17), QTime(0, 0, 0, 1)), 1, "Order_2024-05-17 00-00-00.ecom"},
        {QDateTime(QDate(2024, 1, 2), QTime(9, 5, 7)), 1, "Order_2024-01-02 09-05-07.ecom"},
    };
    for (const auto& c : cases) EXPECT_EQ(orderFileName(c.time, c.copy), c.name);
}

TEST(OrderFile, WritesWindows1256WithoutByteOrderMark) {
    QTemporaryDir dir;
    const QString text = QStringLiteral("^\u0633\u0644\u0627\u0645  \u06CC&12^\r\n315&Cup\r\n");
    const QString path = writeOrderFile(dir.path(), text, kAfternoon);
    EXPECT_EQ(path, QDir(dir.path()).filePath("Order_2024-05-17 14-03-22.ecom"));
    EXPECT_EQ(bytesOf(path), QByteArray("^\xD3\xE1\xC7\xE3  \xED&12^\r\n315&Cup\r\n"));
}

TEST(OrderFile, NeverReplacesAnOrderFileAndLeavesNoPartialFile) {
    QTemporaryDir dir;
    const QString first = writeOrderFile(dir.path(), "first\r\n", kAfternoon);
    const QString second = writeOrderFile(dir.path(), "second\r\n", kAfternoon);
    const QString third = writeOrderFile(dir.path(), "third\r\n", kAfternoon);
    EXPECT_EQ(everyEntry(dir.path()),
              QStringList({"Order_2024-05-17 14-03-22.ecom", "Order_2024-05-17 14-03-22_2.ecom",
                           "Order_2024-05-17 14-03-22_3.ecom"}));
    EXPECT_EQ(bytesOf(first), "first\r\n");
    EXPECT_EQ(bytesOf(second), "second\r\n");
    EXPECT_EQ(bytesOf(third), "third\r\n");
}

// Each name is recorded before it is tried, so a later order of the same second starts after the
// copy given last rather than trying every earlier name again; a name someone else took is passed.
TEST(OrderFile, ALaterOrderOfTheSameSecondTriesTheNextNameFirst) {
    QTemporaryDir dir;
    const auto namesTried = [&] {
        QStringList tried;
        OrderFileDraft draft(dir.path(), kAfternoon);
        draft.write("x\r\n");
        draft.name([&](const QString& path) { tried << QFileInfo(path).fileName(); });
        return tried;
    };
    EXPECT_EQ(namesTried(), QStringList{"Order_2024-05-17 14-03-22.ecom"});
    EXPECT_EQ(namesTried(), QStringList{"Order_2024-05-17 14-03-22_2.ecom"});
    QFile taken(QDir(dir.path()).filePath("Order_2024-05-17 14-03-22_3.ecom"));
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    taken.close();
    EXPECT_EQ(namesTried(), QStringList({"Order_2024-05-17 14-03-22_3.ecom",
                                         "Order_2024-05-17 14-03-22_4.ecom"}));
    EXPECT_EQ(namesTried(), QStringList{"Order_2024-05-17 14-03-22_5.ecom"});
}

TEST(OrderFile, FolderThatCannotHoldFilesIsReported) {
    QTemporaryDir dir;
    const QString notAFolder = QDir(dir.path()).filePath("Orders");
    QFile blocker(notAFolder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // The system's reason follows the file's name.
    EXPECT_ERROR_STARTING_WITH(
        writeOrderFile(notAFolder, "x\r\n", kAfternoon),
        QStringLiteral("Cannot create file \"%1\". ")
            .arg(QDir(notAFolder).filePath("Order_2024-05-17 14-03-22.ecom")));
    EXPECT_EQ(everyEntry(dir.path()), QStringList({"Orders"}));
}

}  // namespace
}  // namespace norvan::orders
