// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells when a run's work has turned slow for good, as from a disk: a single slow step may be
// a preemption or one large folder, a few close together are not.
#include <cstddef>

namespace sifter {

class SlowSteps {
public:
    static constexpr int kSlowNeeded = 4;   // slow steps, each...
    static constexpr int kFastBetween = 16; // ...with fewer fast ones after the one before

    // Counts one step; true from the step that makes enough slow ones close together on.
    bool Note(bool slow)
    {
        if (turned_)
            return true;
        if (slow) {
            fastSinceSlow_ = 0;
            turned_ = ++slow_ >= kSlowNeeded;
        } else if (slow_ > 0 && ++fastSinceSlow_ >= kFastBetween) {
            slow_ = 0;
        }
        return turned_;
    }
    bool Turned() const { return turned_; }

private:
    int slow_ = 0;
    int fastSinceSlow_ = 0;
    bool turned_ = false;
};

} // namespace sifter
