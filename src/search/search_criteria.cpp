// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_criteria.h"

#include "text/little_endian.h"

#include <cstring>

namespace sifter {
namespace {

void PutSystemTime(std::uint8_t *out, const SystemTime &time)
{
    const std::uint16_t fields[8] = {time.year, time.month,  time.dayOfWeek, time.day,
                                     time.hour, time.minute, time.second,    time.milliseconds};
    for (int i = 0; i < 8; ++i)
        PutLittleEndian16(out + 2 * i, fields[i]);
}

SystemTime GetSystemTime(const std::uint8_t *in)
{
    SystemTime time;
    std::uint16_t *fields[8] = {&time.year, &time.month,  &time.dayOfWeek, &time.day,
                                &time.hour, &time.minute, &time.second,    &time.milliseconds};
    for (int i = 0; i < 8; ++i)
        *fields[i] = GetLittleEndian16(in + 2 * i);
    return time;
}

} // namespace

// Where a field sits in the stored bytes.
#define SIFTER_AT(field) (bytes.data() + offsetof(SearchCriteria, field))

void ResetCriteria(SearchCriteria &criteria, const SystemTime &now)
{
    criteria = SearchCriteria{};
    criteria.unicodeUtf8 = 1;
    criteria.date1 = now;
    criteria.date2 = now;
    criteria.time1 = now;
    criteria.time2 = now;
    criteria.searchHidden = 1;
    criteria.searchReadOnly = 1;
    criteria.searchSystem = 1;
    criteria.searchSubfolders = 1;
    criteria.caseSensitive = 0;
    criteria.searchShortNames = 0;
}

CriteriaBytes EncodeCriteria(const SearchCriteria &criteria)
{
    CriteriaBytes bytes{};
    std::memcpy(SIFTER_AT(names), criteria.names, sizeof criteria.names);
    std::memcpy(SIFTER_AT(words), criteria.words, sizeof criteria.words);
    std::memcpy(SIFTER_AT(folders), criteria.folders, sizeof criteria.folders);
    PutLittleEndian32(SIFTER_AT(wordMode), static_cast<std::uint32_t>(criteria.wordMode));
    *SIFTER_AT(hexadecimal) = criteria.hexadecimal;
    *SIFTER_AT(unicodeUtf8) = criteria.unicodeUtf8;
    std::memcpy(SIFTER_AT(padding1), criteria.padding1, sizeof criteria.padding1);
    PutLittleEndian32(SIFTER_AT(sizeUnit), static_cast<std::uint32_t>(criteria.sizeUnit));
    PutLittleEndian32(SIFTER_AT(sizeCompare1), static_cast<std::uint32_t>(criteria.sizeCompare1));
    PutLittleEndian32(SIFTER_AT(sizeCompare2), static_cast<std::uint32_t>(criteria.sizeCompare2));
    PutLittleEndian32(SIFTER_AT(sizeValue1), criteria.sizeValue1);
    PutLittleEndian32(SIFTER_AT(sizeValue2), criteria.sizeValue2);
    PutLittleEndian32(SIFTER_AT(dateKind), static_cast<std::uint32_t>(criteria.dateKind));
    PutLittleEndian32(SIFTER_AT(datePart), static_cast<std::uint32_t>(criteria.datePart));
    PutLittleEndian32(SIFTER_AT(dateCompare1), static_cast<std::uint32_t>(criteria.dateCompare1));
    PutLittleEndian32(SIFTER_AT(dateCompare2), static_cast<std::uint32_t>(criteria.dateCompare2));
    PutSystemTime(SIFTER_AT(date1), criteria.date1);
    PutSystemTime(SIFTER_AT(date2), criteria.date2);
    PutSystemTime(SIFTER_AT(time1), criteria.time1);
    PutSystemTime(SIFTER_AT(time2), criteria.time2);
    *SIFTER_AT(searchHidden) = criteria.searchHidden;
    *SIFTER_AT(searchReadOnly) = criteria.searchReadOnly;
    *SIFTER_AT(searchSystem) = criteria.searchSystem;
    *SIFTER_AT(searchSubfolders) = criteria.searchSubfolders;
    *SIFTER_AT(caseSensitive) = criteria.caseSensitive;
    *SIFTER_AT(searchShortNames) = criteria.searchShortNames;
    std::memcpy(SIFTER_AT(padding2), criteria.padding2, sizeof criteria.padding2);
    return bytes;
}

SearchCriteria DecodeCriteria(const CriteriaBytes &bytes)
{
    SearchCriteria criteria;
    std::memcpy(criteria.names, SIFTER_AT(names), sizeof criteria.names);
    std::memcpy(criteria.words, SIFTER_AT(words), sizeof criteria.words);
    std::memcpy(criteria.folders, SIFTER_AT(folders), sizeof criteria.folders);
    criteria.names[sizeof criteria.names - 1] = 0;
    criteria.words[sizeof criteria.words - 1] = 0;
    criteria.folders[sizeof criteria.folders - 1] = 0;
    criteria.wordMode = static_cast<std::int32_t>(GetLittleEndian32(SIFTER_AT(wordMode)));
    criteria.hexadecimal = *SIFTER_AT(hexadecimal);
    criteria.unicodeUtf8 = *SIFTER_AT(unicodeUtf8);
    std::memcpy(criteria.padding1, SIFTER_AT(padding1), sizeof criteria.padding1);
    criteria.sizeUnit = static_cast<std::int32_t>(GetLittleEndian32(SIFTER_AT(sizeUnit)));
    criteria.sizeCompare1 = static_cast<std::int32_t>(GetLittleEndian32(SIFTER_AT(sizeCompare1)));
    criteria.sizeCompare2 = static_cast<std::int32_t>(GetLittleEndian32(SIFTER_AT(sizeCompare2)));
    criteria.sizeValue1 = GetLittleEndian32(SIFTER_AT(sizeValue1));
    criteria.sizeValue2 = GetLittleEndian32(SIFTER_AT(sizeValue2));
    criteria.dateKind = static_cast<std::int32_t>(GetLittleEndian32(SIFTER_AT(dateKind)));
    criteria.datePart = static_cast<std::int32_t>(GetLittleEndian32(SIFTER_AT(datePart)));
    criteria.dateCompare1 = static_cast<std::int32_t>(GetLittleEndian32(SIFTER_AT(dateCompare1)));
    criteria.dateCompare2 = static_cast<std::int32_t>(GetLittleEndian32(SIFTER_AT(dateCompare2)));
    criteria.date1 = GetSystemTime(SIFTER_AT(date1));
    criteria.date2 = GetSystemTime(SIFTER_AT(date2));
    criteria.time1 = GetSystemTime(SIFTER_AT(time1));
    criteria.time2 = GetSystemTime(SIFTER_AT(time2));
    criteria.searchHidden = *SIFTER_AT(searchHidden);
    criteria.searchReadOnly = *SIFTER_AT(searchReadOnly);
    criteria.searchSystem = *SIFTER_AT(searchSystem);
    criteria.searchSubfolders = *SIFTER_AT(searchSubfolders);
    criteria.caseSensitive = *SIFTER_AT(caseSensitive);
    criteria.searchShortNames = *SIFTER_AT(searchShortNames);
    std::memcpy(criteria.padding2, SIFTER_AT(padding2), sizeof criteria.padding2);
    return criteria;
}

#undef SIFTER_AT

} // namespace sifter
