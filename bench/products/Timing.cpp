#include "Timing.h"

#include <sched.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>

namespace norvan::bench {

namespace {

double secondsOf(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

double cpuSecondsOf(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return secondsOf(usage.ru_utime) + secondsOf(usage.ru_stime);
}

}  // namespace

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double processCpuSeconds() {
    return cpuSecondsOf(RUSAGE_SELF);
}

double childCpuSeconds() {
    return cpuSecondsOf(RUSAGE_CHILDREN);
}

long peakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void keepToOneCpu() {
    cpu_set_t oneCpu;
    CPU_ZERO(&oneCpu);
    CPU_SET(sched_getcpu(), &oneCpu);
    sched_setaffinity(0, sizeof oneCpu, &oneCpu);
}

}  // namespace norvan::bench
