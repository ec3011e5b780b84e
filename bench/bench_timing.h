#pragma once
// Timing helpers the in-process benchmarks share: the wall time of a piece of work, and the
// median of several.
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace sifter {

inline double Seconds(const std::function<void()> &work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace sifter
