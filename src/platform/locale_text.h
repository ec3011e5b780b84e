#pragma once
// Date and time texts in the user's locale (QLocale::system()).
#include "platform/file_time.h"

#include <string>

namespace sifter {

// The locale's short date of the fields' date part, e.g. "07/12/2026" or "12/7/26".
std::string FormatShortDate(const SystemTime &fields);
// The locale's hours and minutes of the fields' time part, e.g. "14:05" or "2:05 PM".
std::string FormatHoursMinutes(const SystemTime &fields);

} // namespace sifter
