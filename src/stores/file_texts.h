// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's texts for sizes, dates and attributes, shared by the results list, the
// tips, the status bar and the command line.
#include "text/file_time.h"

#include <cstdint>
#include <string>

namespace sifter {

// kilobyteStyle: "1,234 KB" (rounded up, as the Size column shows it); else the short
// form "532 bytes", "1.45 KB", "12.3 MB".
std::string FormatFileSize(std::uint64_t size, bool kilobyteStyle);
// The UTC time in local time as the locale's short date, and with withTime a blank and
// hours:minutes. Empty when the time cannot be converted.
std::string FormatFileTime(FileTime fileTime, bool withTime);
// "R" read-only, "H" hidden, "S" system, "A" archive, in this order, each when its bit is
// set; all other bits ignored.
std::string FormatAttributes(std::uint32_t attributes);

} // namespace sifter
