#include "LoadAverage.h"

#include <fstream>

namespace norvan::bench {

std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string oneMinute;
    std::string fiveMinutes;
    std::string fifteenMinutes;
    if (!(file >> oneMinute >> fiveMinutes >> fifteenMinutes)) return "unknown";
    return oneMinute + ' ' + fiveMinutes + ' ' + fifteenMinutes;
}

}  // namespace norvan::bench
