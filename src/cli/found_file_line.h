// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How sifter-cli prints one found file.
#include "search/found_file.h"
#include "text/file_time.h"

#include <string>

namespace sifter {

inline constexpr char kLongFormatSeparator = '\t';

// The whole path (folder and name, never cut); with longFormat the tab-separated columns
// path, size in bytes, attribute letters, last-write time (local, ISO 8601), match offset.
// forTerminal shows what a terminal would act on in the path as "?" (TerminalSafeText).
// No line end. A printer of many lines passes the zone it looked up once.
std::string FormatFoundFileLine(const FoundFile &record, bool longFormat, bool forTerminal = false,
                                const LocalTimeZone &zone = LocalTimeZone());
// "YYYY-MM-DDTHH:MM:SS" in the local time zone; empty when the time cannot be converted.
std::string FormatIsoLocalTime(FileTime time, const LocalTimeZone &zone = LocalTimeZone());

} // namespace sifter
