// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lets a run dispatch events (and set the status text) at most once per interval: one
// dispatch costs microseconds, doing it per directory entry would slow the walk several
// times while nothing the user sees changes.
#include <chrono>

namespace sifter {

class PumpThrottle {
public:
    static constexpr std::chrono::milliseconds kInterval{10};

    // True on the first call and then whenever kInterval has passed since the last true.
    bool Due()
    {
        const auto now = std::chrono::steady_clock::now();
        if (!started_ || now - last_ >= kInterval) {
            started_ = true;
            last_ = now;
            return true;
        }
        return false;
    }

private:
    bool started_ = false;
    std::chrono::steady_clock::time_point last_{};
};

} // namespace sifter
