// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/found_file_line.h"

#include "cli/terminal_text.h"
#include "stores/file_texts.h"

#include <cstdio>

namespace sifter {

std::string FormatIsoLocalTime(FileTime time, const LocalTimeZone &zone)
{
    SystemTime fields;
    if (!zone.ToLocalFields(time, fields))
        return {};
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u", unsigned{fields.year}, unsigned{fields.month},
                  unsigned{fields.day}, unsigned{fields.hour}, unsigned{fields.minute}, unsigned{fields.second});
    return text;
}

std::string FormatFoundFileLine(const FoundFile &record, bool longFormat, bool forTerminal,
                                const LocalTimeZone &zone)
{
    std::string line = forTerminal ? TerminalSafeText(record.Path()) : record.Path();
    if (!longFormat)
        return line;
    const FoundFile &stored = record;
    line += kLongFormatSeparator;
    line += std::to_string(stored.size);
    line += kLongFormatSeparator;
    line += FormatAttributes(stored.attributes);
    line += kLongFormatSeparator;
    line += FormatIsoLocalTime(stored.lastWriteTime, zone);
    line += kLongFormatSeparator;
    line += std::to_string(stored.matchOffset);
    return line;
}

} // namespace sifter
