// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sets TZ for as long as the object lives and puts back what was there (or nothing).
#include "support/scoped_env.h"

#include <ctime>
#include <optional>
#include <utility>

namespace sifter::test {

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char *zone) : zone_(std::in_place, "TZ", zone) { tzset(); }
    ~ScopedTimeZone()
    {
        // The old TZ goes back first, so that tzset reads it.
        zone_.reset();
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone &) = delete;
    ScopedTimeZone &operator=(const ScopedTimeZone &) = delete;

private:
    std::optional<ScopedEnv> zone_;
};

} // namespace sifter::test
