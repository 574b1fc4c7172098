#include "LocalTime.h"

#include <chrono>

namespace norvan::common {

QDateTime LocalTime::at(qint64 msecsSinceEpoch) {
    using namespace std::chrono;
    const qint64 second = floor<seconds>(milliseconds(msecsSinceEpoch)).count();
    if (second != second_) {
        offsetSeconds_ =
            QDateTime::fromMSecsSinceEpoch(second * 1000, Qt::LocalTime).offsetFromUtc();
        second_ = second;
    }
    return QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch, Qt::OffsetFromUTC, offsetSeconds_);
}

}  // namespace norvan::common
