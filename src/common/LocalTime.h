#pragma once

#include <QDateTime>
#include <limits>

namespace norvan::common {

// The local time of instants, the zone's offset from UTC read once per second. Reading it makes
// the C library look whether /etc/localtime changed (a system call each time), which costs more
// than a line of the daily log; and the offset changes only at a whole second, so the one read for
// an instant serves its whole second. A new zone (TZ or /etc/localtime changed while the program
// runs) shows from the next second on.
class LocalTime {
  public:
    // The same date, time and text as QDateTime::fromMSecsSinceEpoch(msecs, Qt::LocalTime), as
    // a time with its offset from UTC.
    QDateTime at(qint64 msecsSinceEpoch);

  private:
    qint64 second_ = std::numeric_limits<qint64>::min();  // since the epoch; none read yet
    int offsetSeconds_ = 0;
};

}  // namespace norvan::common
