#pragma once

#include <QDateTime>
#include <functional>

namespace norvan::common {

// The time source of file names and OAuth timestamps; tests inject a fixed one.
using Clock = std::function<QDateTime()>;
Clock systemClock();

}  // namespace norvan::common
