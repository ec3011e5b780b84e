// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Relative date bounds: moments counted back from the start of a run in local time, so a
// saved search run later counts from its own start.
#include "search/extra_criteria.h"
#include "search/search_criteria.h"
#include "text/file_time.h"

#include <cstdint>

namespace sifter {

// The local moment the bound stands for, now being seconds since 1970. Minutes and hours go
// back in elapsed time; days, weeks and months go back on the calendar to the same time of
// day (so across a change of the clocks too), a month from the 31st landing on the last day
// of a shorter month; today and yesterday are their midnights. Never before 1601-01-01.
SystemTime RelativeDateMoment(const RelativeDate &relative, std::int64_t now);
// For each relative bound, puts its moment into date1 and time1 (date2 and time2), where
// the date test reads its bounds; absolute bounds stay as they are.
void ApplyRelativeDates(const ExtraCriteria &extras, SearchCriteria &criteria, std::int64_t now);

} // namespace sifter
