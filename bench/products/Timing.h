#pragma once

#include <chrono>
#include <vector>

namespace norvan::bench {

// Wall time and CPU of one side of a round.
struct Timing {
    double seconds = 0;
    double threadCpuSeconds = 0;   // the main thread: the client and the window
    double processCpuSeconds = 0;  // this process, the shop's threads included
    double childCpuSeconds = 0;    // the child processes that ended meanwhile (the Node side)
};

double threadCpuSeconds();
double processCpuSeconds();
double childCpuSeconds();
long peakRssKiB();
double median(std::vector<double> values);
// Keeps this process, and the threads and processes it starts later, to the CPU it runs on.
void keepToOneCpu();

template <typename Work>
Timing timed(Work work) {
    const auto start = std::chrono::steady_clock::now();
    const double threadStart = threadCpuSeconds();
    const double processStart = processCpuSeconds();
    const double childStart = childCpuSeconds();
    work();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            threadCpuSeconds() - threadStart, processCpuSeconds() - processStart,
            childCpuSeconds() - childStart};
}

}  // namespace norvan::bench
