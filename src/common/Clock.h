#pragma once

#include <QDateTime>
#include <functional>

namespace norvan::common {

// The time source of file names, the daily log's time stamps and OAuth timestamps; tests inject a
// fixed one.
using Clock = std::function<QDateTime()>;
// The local time now, with its offset from UTC (see LocalTime).
Clock systemClock();

}  // namespace norvan::common
