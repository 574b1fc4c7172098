#include "Clock.h"

#include "LocalTime.h"

namespace norvan::common {

Clock systemClock() {
    return [] {
        thread_local LocalTime localTime;
        return localTime.at(QDateTime::currentMSecsSinceEpoch());
    };
}

}  // namespace norvan::common
