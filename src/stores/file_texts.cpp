// SPDX-License-Identifier: GPL-3.0-or-later
#include "stores/file_texts.h"

#include "fs/file_attributes.h"
#include "text/locale_text.h"
#include "text/size_text.h"

namespace sifter {

std::string FormatFileSize(std::uint64_t size, bool kilobyteStyle)
{
    return kilobyteStyle ? FormatKBSize(size) : FormatByteSize(size);
}

std::string FormatFileTime(FileTime fileTime, bool withTime)
{
    SystemTime local;
    if (!FileTimeToLocalFields(fileTime, local))
        return {};
    std::string text = FormatShortDate(local);
    if (withTime) {
        text += ' ';
        text += FormatHoursMinutes(local);
    }
    return text;
}

std::string FormatAttributes(std::uint32_t attributes)
{
    struct Letter {
        std::uint32_t bit;
        char letter;
    };
    static constexpr Letter kLetters[] = {
        {kAttributeReadOnly, 'R'}, {kAttributeHidden, 'H'}, {kAttributeSystem, 'S'}, {kAttributeArchive, 'A'}};
    std::string text;
    for (const Letter &entry : kLetters) {
        if (attributes & entry.bit)
            text += entry.letter;
    }
    return text;
}

} // namespace sifter
