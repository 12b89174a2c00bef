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

// Medians over `runs` calls of the wall time and of the processor time (all threads of the
// process), in seconds; setup runs before each call, outside the timing. Other load on the
// machine stretches wall times but leaves the processor time nearly alone.
struct Timing
{
    double wall = 0;
    double cpu = 0;
};

inline Timing medianTimes(int runs, const std::function<void()> &setup, const std::function<void()> &work)
{
    std::vector<double> walls, cpus;
    for (int i = 0; i < runs; ++i) {
        if (setup)
            setup();
        timespec cpuStart{}, cpuEnd{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpuStart);
        const auto start = std::chrono::steady_clock::now();
        work();
        walls.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpuEnd);
        cpus.push_back(double(cpuEnd.tv_sec - cpuStart.tv_sec) + double(cpuEnd.tv_nsec - cpuStart.tv_nsec) * 1e-9);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    return {walls[walls.size() / 2], cpus[cpus.size() / 2]};
}

inline double medianSeconds(int runs, const std::function<void()> &setup, const std::function<void()> &work)
{
    return medianTimes(runs, setup, work).wall;
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
