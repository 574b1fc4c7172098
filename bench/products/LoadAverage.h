#pragma once

#include <string>

namespace norvan::bench {

// The machine's load average over 1, 5 and 15 minutes as /proc/loadavg gives it ("2.31 2.10
// 1.95"): the figures of a shared machine mean little without it.
std::string loadAverage();

}  // namespace norvan::bench
