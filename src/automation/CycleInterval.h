#pragma once

#include <QString>

namespace norvan::automation {

inline constexpr const char* kDefaultCycleMinutes = "60";

// The timer period for a number of minutes. QTimer takes an int of milliseconds, so a period
// beyond that is clamped to the largest one it takes (about 24.8 days); zero stays zero.
// origin names where the minutes were read (for example "Sleep in SetManifest.ini"), so that
// the operator knows what to correct. Throws Error for a text that is not a whole number and
// for a negative number.
int cycleIntervalMs(const QString& minutes, const QString& origin);

}  // namespace norvan::automation
