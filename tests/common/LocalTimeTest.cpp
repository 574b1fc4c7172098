#include "common/LocalTime.h"

#include <gtest/gtest.h>
#include <time.h>

#include <string>

namespace norvan::common {
namespace {

// Sets the process's zone for one test and gives the one before back.
class ZoneForTest {
  public:
    explicit ZoneForTest(const char* zone)
        : before_(qgetenv("TZ")), hadOne_(qEnvironmentVariableIsSet("TZ")) {
        use(zone);
    }
    ~ZoneForTest() {
        if (hadOne_)
            qputenv("TZ", before_);
        else
            qunsetenv("TZ");
        tzset();
    }
    void use(const char* zone) {
        qputenv("TZ", zone);
        tzset();
    }

  private:
    QByteArray before_;
    bool hadOne_;
};

qint64 utcMSecs(int year, int month, int day, int hour, int minute, int second, int msec) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, msec), Qt::UTC)
        .toMSecsSinceEpoch();
}

std::string text(const QDateTime& time) {
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toStdString();
}

// One reader through both of a year's clock changes, the instants now in order and now not: the
// text of each is that of its own second's offset, the milliseconds before and after a change
// included.
TEST(LocalTime, FollowsTheClockChangesOfTheZone) {
    const ZoneForTest zone("Europe/Berlin");
    const struct {
        qint64 utc;
        const char* local;
    } cases[] = {
        {utcMSecs(2024, 3, 31, 0, 59, 59, 0), "2024-03-31 01:59:59.000"},
        {utcMSecs(2024, 3, 31, 0, 59, 59, 999), "2024-03-31 01:59:59.999"},
        {utcMSecs(2024, 3, 31, 1, 0, 0, 0), "2024-03-31 03:00:00.000"},
        {utcMSecs(2024, 3, 31, 0, 59, 59, 500), "2024-03-31 01:59:59.500"},
        {utcMSecs(2024, 10, 27, 0, 59, 59, 999), "2024-10-27 02:59:59.999"},
        {utcMSecs(2024, 10, 27, 1, 0, 0, 1), "2024-10-27 02:00:00.001"},
        {utcMSecs(2024, 10, 27, 1, 0, 0, 900), "2024-10-27 02:00:00.900"},
        {utcMSecs(1969, 12, 31, 23, 59, 59, 999), "1970-01-01 00:59:59.999"},
    };
    LocalTime localTime;
    for (const auto& c : cases) {
        const QDateTime time = localTime.at(c.utc);
        EXPECT_EQ(text(time), c.local) << c.local;
        EXPECT_EQ(time.toMSecsSinceEpoch(), c.utc) << c.local;
        EXPECT_EQ(text(time), text(QDateTime::fromMSecsSinceEpoch(c.utc, Qt::LocalTime)))
            << c.local;
    }
}

// The program's zone changed while it runs (the operator moved the computer's clock to another
// zone): the next second reads in the new one.
TEST(LocalTime, AChangedZoneShowsFromTheNextSecond) {
    ZoneForTest zone("Europe/Berlin");
    LocalTime localTime;
    EXPECT_EQ(text(localTime.at(utcMSecs(2024, 5, 17, 10, 3, 22, 250))), "2024-05-17 12:03:22.250");
    zone.use("Asia/Tehran");
    EXPECT_EQ(text(localTime.at(utcMSecs(2024, 5, 17, 10, 3, 23, 0))), "2024-05-17 13:33:23.000");
    zone.use("UTC");
    EXPECT_EQ(text(localTime.at(utcMSecs(2024, 5, 17, 10, 3, 24, 5))), "2024-05-17 10:03:24.005");
}

}  // namespace
}  // namespace norvan::common
