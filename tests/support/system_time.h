// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Calendar fields as a date picker or a typed date gives them, for the tests of what reads them.
#include "text/file_time.h"

#include <cstdint>

namespace sifter::test {

// The date and time of day given; the day of the week is left 0.
inline SystemTime SystemTimeOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                               int milliseconds = 0)
{
    SystemTime time;
    time.year = static_cast<std::uint16_t>(year);
    time.month = static_cast<std::uint16_t>(month);
    time.day = static_cast<std::uint16_t>(day);
    time.hour = static_cast<std::uint16_t>(hour);
    time.minute = static_cast<std::uint16_t>(minute);
    time.second = static_cast<std::uint16_t>(second);
    time.milliseconds = static_cast<std::uint16_t>(milliseconds);
    return time;
}

} // namespace sifter::test
