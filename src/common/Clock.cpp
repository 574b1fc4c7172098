#include "Clock.h"

namespace norvan::common {

Clock systemClock() {
    return [] { return QDateTime::currentDateTime(); };
}

}  // namespace norvan::common
