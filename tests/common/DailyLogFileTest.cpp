#include "common/DailyLogFile.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace norvan::common {
namespace {

class DailyLogFileTest : public ::testing::Test {
  protected:
    QString logPath(const QString& name) const { return dir.filePath("Logs/" + name); }
    QByteArray bytesOf(const QString& name) const {
        QFile file(logPath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void makeFile(const QString& name) const {
        QDir().mkpath(dir.filePath("Logs"));
        QFile file(logPath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    }

    QTemporaryDir dir;
    QDateTime now{QDate(2024, 3, 5), QTime(23, 59, 59, 250)};
    DailyLogFile log{dir.filePath("Logs"), [this] { return now; }};
};

TEST_F(DailyLogFileTest, WritesEachEntryTimeStampedIntoTheFileOfItsDay) {
    log.append("orders/unattended", "mLogs", "---BEGIN Check---");
    log.append("products/hand", "mProdFiles", QString::fromUtf8("A-1;25;true;0.5;;;0;\"چای سبز\""));
    now = QDateTime(QDate(2024, 3, 6), QTime(0, 0, 0, 5));
    // A text holding line breaks gives one file line for each of its lines; an empty text one.
    log.append("orders/unattended", "error", "first\r\nsecond\nthird");
    log.append("check/hand", "mCheckLog", "");
    // Texts written together: each gives its lines, in their order.
    log.append("products/hand", "mLogs", QStringList{"one", "two\nthree", ""});
    // The program started again: the day's file grows.
    DailyLogFile(dir.filePath("Logs"), [this] {
        return now;
    }).append("check/hand", "summary", "nothing asked");

    EXPECT_EQ(bytesOf("2024-03-05.log"),
              QByteArray("2024-03-05 23:59:59.250 orders/unattended mLogs: ---BEGIN Check---\r\n"
                         "2024-03-05 23:59:59.250 products/hand mProdFiles: "
                         "A-1;25;true;0.5;;;0;\"چای سبز\"\r\n"));
    EXPECT_EQ(bytesOf("2024-03-06.log"),
              QByteArray("2024-03-06 00:00:00.005 orders/unattended error: first\r\n"
                         "2024-03-06 00:00:00.005 orders/unattended error: second\r\n"
                         "2024-03-06 00:00:00.005 orders/unattended error: third\r\n"
                         "2024-03-06 00:00:00.005 check/hand mCheckLog: \r\n"
                         "2024-03-06 00:00:00.005 products/hand mLogs: one\r\n"
                         "2024-03-06 00:00:00.005 products/hand mLogs: two\r\n"
                         "2024-03-06 00:00:00.005 products/hand mLogs: three\r\n"
                         "2024-03-06 00:00:00.005 products/hand mLogs: \r\n"
                         "2024-03-06 00:00:00.005 check/hand summary: nothing asked\r\n"));
}

// Entries close together in time, each stamped with its own: the same second, the same time of
// another day, the next second, a clock set back.
TEST_F(DailyLogFileTest, EachEntryCarriesItsOwnTime) {
    const QDateTime times[] = {
        QDateTime(QDate(2024, 3, 5), QTime(8, 0, 1, 0)),
        QDateTime(QDate(2024, 3, 5), QTime(8, 0, 1, 999)),
        QDateTime(QDate(2024, 3, 5), QTime(8, 0, 2, 40)),
        QDateTime(QDate(2024, 3, 6), QTime(8, 0, 2, 40)),
        QDateTime(QDate(2024, 3, 6), QTime(8, 0, 1, 7)),
    };
    QByteArray expected[2];
    for (const QDateTime& time : times) {
        now = time;
        log.append("products/hand", "mLogs", "a line");
        expected[time.date().day() - 5] +=
            time.toString("yyyy-MM-dd HH:mm:ss.zzz").toUtf8() + " products/hand mLogs: a line\r\n";
    }
    EXPECT_EQ(bytesOf("2024-03-05.log"), expected[0]);
    EXPECT_EQ(bytesOf("2024-03-06.log"), expected[1]);
}

TEST_F(DailyLogFileTest, TheFirstEntryOfADayRemovesTheFilesDatedMoreThan30DaysBefore) {
    now = QDateTime(QDate(2024, 3, 5), QTime(8, 0));
    const struct {
        const char* name;
        bool keptOn5March;
        bool keptOn6March;
    } files[] = {
        {"2023-12-31.log", false, false},
        {"2024-02-03.log", false, false},  // 31 days before 5 March
        {"2024-02-04.log", true, false},   // 30 days before
        {"2024-03-04.log", true, true},
        {"2024-02-30.log", true, true},  // no such day
        {"old.log", true, true},
        {"2023-01-01.txt", true, true},
    };
    for (const auto& file : files) makeFile(file.name);

    log.append("orders/hand", "mLogs", "a line");
    for (const auto& file : files)
        EXPECT_EQ(QFile::exists(logPath(file.name)), file.keptOn5March) << file.name;

    // A program left running: the next day's first entry removes what has grown old since.
    now = now.addDays(1);
    log.append("orders/hand", "mLogs", "a line");
    for (const auto& file : files)
        EXPECT_EQ(QFile::exists(logPath(file.name)), file.keptOn6March) << file.name;
    EXPECT_TRUE(QFile::exists(logPath("2024-03-05.log")));
}

// The day's file stays open between entries and is looked for once a second: one removed
// meanwhile is made again by the first entry of a later second.
TEST_F(DailyLogFileTest, AFileRemovedWhileTheProgramRunsIsMadeAgainWithinASecond) {
    now = QDateTime(QDate(2024, 3, 5), QTime(8, 0, 1, 100));
    log.append("products/hand", "mLogs", "first");
    ASSERT_TRUE(QDir(dir.filePath("Logs")).removeRecursively());
    now = now.addMSecs(900);
    log.append("products/hand", "mLogs", "second");

    EXPECT_EQ(bytesOf("2024-03-05.log"),
              QByteArray("2024-03-05 08:00:02.000 products/hand mLogs: second\r\n"));
}

QStringList warnings;

void recordWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg) warnings.append(message);
}

TEST_F(DailyLogFileTest, AnEntryThatCannotBeWrittenIsSkippedAndReportedOnce) {
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordWarning);
    {
        QFile blocker(dir.filePath("Logs"));  // a file where the folder belongs
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    log.append("orders/unattended", "mLogs", "lost");
    log.append("orders/unattended", "mLogs", "lost too");
    const qsizetype warningsWhileBlocked = warnings.size();
    EXPECT_TRUE(log.failing());
    EXPECT_EQ(log.failure(), "cannot make the folder " + dir.filePath("Logs"));

    QFile::remove(dir.filePath("Logs"));
    log.append("orders/unattended", "mLogs", "kept");
    EXPECT_FALSE(log.failing());
    QDir().mkpath(logPath("2024-03-06.log"));  // a folder where the next day's file belongs
    now = now.addDays(1);
    log.append("orders/unattended", "mLogs", "lost again");
    qInstallMessageHandler(previous);
    EXPECT_TRUE(log.failing());

    EXPECT_EQ(warningsWhileBlocked, 1);
    EXPECT_EQ(warnings.size(), 2);
    EXPECT_EQ(bytesOf("2024-03-05.log"),
              QByteArray("2024-03-05 23:59:59.250 orders/unattended mLogs: kept\r\n"));
}

}  // namespace
}  // namespace norvan::common
