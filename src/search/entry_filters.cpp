// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/entry_filters.h"

#include "fs/file_attributes.h"

namespace sifter {

void ClearTimeOfDay(SystemTime &fields)
{
    fields.hour = 0;
    fields.minute = 0;
    fields.second = 0;
    fields.milliseconds = 0;
}

std::int64_t SecondsOfDay(const SystemTime &fields)
{
    return fields.hour * kSecondsPerHour + fields.minute * kSecondsPerMinute + fields.second;
}

namespace {

void ClearDate(SystemTime &fields)
{
    fields.year = 0;
    fields.month = 0;
    fields.dayOfWeek = 0;
    fields.day = 0;
}

void CopyTimeOfDay(const SystemTime &from, SystemTime &to)
{
    to.hour = from.hour;
    to.minute = from.minute;
    to.second = from.second;
}

} // namespace

SizeBounds ComputeSizeBounds(const SearchCriteria &criteria)
{
    std::uint64_t unit = 0;
    switch (criteria.sizeUnit) {
    case kSizeUnitBytes:
        unit = 1;
        break;
    case kSizeUnitKB:
        unit = kBytesPerKB;
        break;
    case kSizeUnitMB:
        unit = kBytesPerMB;
        break;
    case kSizeUnitGB:
        unit = kBytesPerGB;
        break;
    default:
        break;
    }
    return {criteria.sizeValue1 * unit, criteria.sizeValue2 * unit};
}

DateBounds PrepareDateBounds(SearchCriteria &criteria)
{
    ClearTimeOfDay(criteria.date1);
    ClearTimeOfDay(criteria.date2);
    ClearDate(criteria.time1);
    ClearDate(criteria.time2);
    switch (criteria.datePart) {
    case kDatePartDate:
        return {LocalFieldsToSeconds(criteria.date1), LocalFieldsToSeconds(criteria.date2)};
    case kDatePartTime:
        return {SecondsOfDay(criteria.time1), SecondsOfDay(criteria.time2)};
    case kDatePartDateTime:
        CopyTimeOfDay(criteria.time1, criteria.date1);
        CopyTimeOfDay(criteria.time2, criteria.date2);
        return {LocalFieldsToSeconds(criteria.date1), LocalFieldsToSeconds(criteria.date2)};
    default:
        return {};
    }
}

bool HasSizeTest(const SearchCriteria &criteria)
{
    // An unknown unit has bounds of 0; testing with them would drop files for nothing.
    return criteria.sizeUnit == kSizeUnitBytes || criteria.sizeUnit == kSizeUnitKB ||
           criteria.sizeUnit == kSizeUnitMB || criteria.sizeUnit == kSizeUnitGB;
}

bool HasDateTest(const SearchCriteria &criteria)
{
    const bool knownKind = criteria.dateKind == kDateKindModified || criteria.dateKind == kDateKindCreated ||
                           criteria.dateKind == kDateKindAccessed;
    const bool knownPart = criteria.datePart == kDatePartDate || criteria.datePart == kDatePartTime ||
                           criteria.datePart == kDatePartDateTime;
    return knownKind && knownPart;
}

bool PassesSizeTest(const SearchCriteria &criteria, const SizeBounds &bounds, std::uint64_t size)
{
    return PassesComparison(criteria.sizeCompare1, size, bounds.bound1) &&
           PassesComparison(criteria.sizeCompare2, size, bounds.bound2);
}

bool PassesDateTest(const SearchCriteria &criteria, const DateBounds &bounds, const EntryData &entry,
                    DateTestValues &values)
{
    FileTime time = entry.lastWriteTime;
    if (criteria.dateKind == kDateKindCreated)
        time = entry.creationTime;
    else if (criteria.dateKind == kDateKindAccessed)
        time = entry.lastAccessTime;
    const std::int64_t value = values.Value(criteria.datePart, time);
    return PassesComparison(criteria.dateCompare1, value, bounds.bound1) &&
           PassesComparison(criteria.dateCompare2, value, bounds.bound2);
}

bool PassesAttributeTest(const SearchCriteria &criteria, std::uint32_t attributes)
{
    if ((attributes & kAttributeHidden) && !criteria.searchHidden)
        return false;
    if ((attributes & kAttributeReadOnly) && !criteria.searchReadOnly)
        return false;
    if ((attributes & kAttributeSystem) && !criteria.searchSystem)
        return false;
    return true;
}

bool AttributeTestNeedsData(const SearchCriteria &criteria)
{
    return !criteria.searchReadOnly || !criteria.searchSystem;
}

} // namespace sifter
