#pragma once

#include <QString>

namespace norvan::automation {

inline constexpr const char* kDefaultCycleMinutes = "60";

// The timer period for a number of minutes. QTimer takes an int of milliseconds, so a period
// beyond that is clamped to the largest one it takes (about 24.8 days). Throws
// Error("'<text>' is not a valid integer value") for a text that is not a whole number.
int cycleIntervalMs(const QString& minutes);

}  // namespace norvan::automation
