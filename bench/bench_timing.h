// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Timing helpers the in-process benchmarks share: the wall time of a piece of work, the
// median of several, and two pieces taking turns at going first.
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

// Runs both, each first in every other round, so that neither always meets cold caches.
inline void RunInTurn(int round, const std::function<void()> &one, const std::function<void()> &other)
{
    if (round % 2 == 0) {
        one();
        other();
    } else {
        other();
        one();
    }
}

} // namespace sifter
