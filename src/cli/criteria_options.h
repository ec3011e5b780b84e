// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turning the command line's criteria options into the criteria record.
#include "cli/cli_options.h"
#include "search/extra_criteria.h"
#include "search/search_criteria.h"
#include "text/file_time.h"

#include <string>

namespace sifter {

// Folder searched when neither the command line nor a criteria file names one.
inline constexpr const char *kDefaultSearchFolder = ".";

// Writes every option that was given into criteria, leaving the other fields as they are.
// A size bound with no unit chosen (here or in criteria) compares bytes; a date bound with
// no kind chosen compares the last-modified time. A date value's date goes to date1/date2
// and its time of day to time1/time2; a time-only value takes today's date from now.
// An empty folders text becomes kDefaultSearchFolder.
void ApplyCriteriaOptions(const CriteriaOptions &options, SearchCriteria &criteria, const SystemTime &now);
// The same for the criteria beyond the record: the Exclude text, the regular-expression
// switches, and each date bound given, relative (set) or absolute (the relative one cleared).
void ApplyExtraCriteriaOptions(const CriteriaOptions &options, ExtraCriteria &extras);

// Checks what can only be checked on the finished record: with hexadecimal set, every word
// must be hexadecimal text. False with a one-line message.
bool ValidateCriteria(const SearchCriteria &criteria, std::string &error);
// The same for the criteria beyond the record: every regular expression must compile, and
// a words expression takes only the modes any and without.
bool ValidateExtraCriteria(const SearchCriteria &criteria, const ExtraCriteria &extras, std::string &error);

} // namespace sifter
