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
            AfterCallOut(); // what the caller dispatches now may take long
            return true;
        }
        return false;
    }

    // Due, for a caller that asks once per short step (a directory entry): the clock is read
    // every kStepsPerClockRead calls only, since reading it costs more than most steps (a
    // tenth of the walk's own time in a name search of /usr), and after a call-out.
    static constexpr int kStepsPerClockRead = 16;
    bool DueAtStep()
    {
        if (started_ && ++steps_ < kStepsPerClockRead)
            return false;
        steps_ = 0;
        return Due();
    }
    // The step called code that may take long (a sink): the next one reads the clock.
    void AfterCallOut() { steps_ = kStepsPerClockRead - 1; }

private:
    bool started_ = false;
    int steps_ = 0;
    std::chrono::steady_clock::time_point last_{};
};

} // namespace sifter
