#include "CycleInterval.h"

#include "common/Error.h"

#include <limits>

namespace norvan::automation {

namespace {

constexpr qint64 kMsPerMinute = qint64{60} * 1000;
constexpr qint64 kMaxTimerMs = std::numeric_limits<int>::max();

}  // namespace

int cycleIntervalMs(const QString& minutes, const QString& origin) {
    bool ok = false;
    const qint64 value = minutes.toLongLong(&ok);
    if (!ok) {
        throw Error(QStringLiteral("'%1' is not a valid integer value: the period between "
                                   "unattended cycles (%2) must be a whole number of minutes")
                        .arg(minutes, origin));
    }
    // Refused rather than taken for "no periodic ticks", which is what zero means.
    if (value < 0) {
        throw Error(QStringLiteral("The period between unattended cycles cannot be negative: %1 "
                                   "is %2 minutes")
                        .arg(origin, minutes));
    }
    if (value > kMaxTimerMs / kMsPerMinute) return int(kMaxTimerMs);
    return int(value * kMsPerMinute);
}

}  // namespace norvan::automation
