// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Date and time texts in the user's locale (QLocale::system()).
#include "text/file_time.h"

#include <string>

namespace sifter {

// The locale's short date of the fields' date part, e.g. "7/12/26" or "12.07.26";
// empty when year, month and day are no valid date. Texts are UTF-8.
std::string FormatShortDate(const SystemTime &fields);
// The locale's short time of the fields' hour and minute, seconds left out even where
// the locale's format has them, e.g. "14:05" or "2:05 PM"; empty for an invalid time.
std::string FormatHoursMinutes(const SystemTime &fields);
// The format FormatHoursMinutes writes, in Qt's format letters (e.g. "HH:mm", "h:mm AP").
std::string HoursMinutesFormat();

} // namespace sifter
