#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace quarvel::bench {

// Median wall time in seconds of `runs` calls; setup runs before each call, outside the timing.
inline double medianSeconds(int runs, const std::function<void()> &setup, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (setup)
            setup();
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Median processor time in seconds of `runs` calls, all threads of the process counted. Other
// load on the machine stretches wall times but leaves this nearly alone.
inline double medianCpuSeconds(int runs, const std::function<void()> &setup, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (setup)
            setup();
        timespec start{}, end{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
        work();
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
        times.push_back(double(end.tv_sec - start.tv_sec) + double(end.tv_nsec - start.tv_nsec) * 1e-9);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Bytes the allocator hands out right now; glibc's counters only, 0 elsewhere.
inline std::size_t allocatedBytes()
{
#if defined(__GLIBC__)
    return mallinfo2().uordblks + mallinfo2().hblkhd;
#else
    return 0;
#endif
}

} // namespace quarvel::bench
