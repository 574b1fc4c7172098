#include "CycleInterval.h"

#include "common/Error.h"

#include <algorithm>
#include <limits>

namespace norvan::automation {

int cycleIntervalMs(const QString& minutes) {
    bool ok = false;
    const int value = minutes.toInt(&ok);
    if (!ok) throw Error(QStringLiteral("'%1' is not a valid integer value").arg(minutes));
    const qint64 ms = qint64(value) * 60 * 1000;
    return int(
        std::clamp<qint64>(ms, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace norvan::automation
