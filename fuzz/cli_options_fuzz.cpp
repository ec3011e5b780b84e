// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary command lines (the input cut at every NUL into arguments) to sifter-cli's
// option parser. It must never crash; a refusal must say why; and what it accepts must make
// a consistent criteria record: texts whole and NUL-terminated inside their fields, every
// code one the record knows, real calendar values, flags 0 or 1, padding zero.
#include "cli/cli_options.h"
#include "cli/criteria_options.h"
#include "search/search_criteria.h"
#include "search/text_field.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using sifter::SearchCriteria;
using sifter::SystemTime;

// A leap day, one second before midnight: time-only values take this date.
constexpr SystemTime kNow{2024, 2, 4, 29, 23, 59, 59, 0};
constexpr std::size_t kMostArguments = 64;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

template <std::size_t N>
void CheckText(const char (&field)[N], const std::optional<std::string> &given)
{
    const std::string_view text = sifter::TextField(field);
    Check(text.size() < N);
    for (std::size_t i = text.size(); i < N; ++i)
        Check(field[i] == '\0');
    if (given)
        Check(text == *given); // refused when too long, never cut
}

void CheckCalendar(const SystemTime &time)
{
    using namespace std::chrono;
    const year_month_day date{year{time.year}, month{time.month}, day{time.day}};
    Check(date.ok() && time.year >= sifter::kMinDateYear);
    Check(weekday{sys_days{date}}.c_encoding() == time.dayOfWeek);
    Check(time.hour < 24 && time.minute < 60 && time.second < 60 && time.milliseconds == 0);
}

void CheckFlag(std::uint8_t flag)
{
    Check(flag == 0 || flag == 1);
}

bool FitsPart(const sifter::DateValue &value, std::int32_t part)
{
    switch (part) {
    case sifter::kDatePartDate:
        return value.hasDate;
    case sifter::kDatePartTime:
        return value.hasTime;
    default:
        return value.hasDate && value.hasTime;
    }
}

void CheckRecord(const sifter::CriteriaOptions &options, const SearchCriteria &criteria)
{
    CheckText(criteria.names, options.names);
    CheckText(criteria.words, options.words);
    CheckText(criteria.folders, options.folders);
    Check(!sifter::TextField(criteria.folders).empty());

    Check(criteria.wordMode >= sifter::kWordModeAny && criteria.wordMode <= sifter::kWordModeWithout);
    Check(criteria.sizeUnit >= sifter::kSizeUnitNone && criteria.sizeUnit <= sifter::kSizeUnitGB);
    Check(criteria.dateKind >= sifter::kDateKindNone && criteria.dateKind <= sifter::kDateKindAccessed);
    Check(criteria.datePart >= sifter::kDatePartDate && criteria.datePart <= sifter::kDatePartDateTime);
    for (const std::int32_t compare : {criteria.sizeCompare1, criteria.sizeCompare2, criteria.dateCompare1,
                                       criteria.dateCompare2})
        Check(compare >= sifter::kCompareNone && compare <= sifter::kCompareAtMost);
    if (options.size1 || options.size2)
        Check(criteria.sizeUnit != sifter::kSizeUnitNone);
    for (const auto *bound : {&options.date1, &options.date2}) {
        if (*bound)
            Check(criteria.dateKind != sifter::kDateKindNone &&
                  ((*bound)->relative.unit != sifter::kRelativeNone || FitsPart((*bound)->value, criteria.datePart)));
    }

    for (const SystemTime *time : {&criteria.date1, &criteria.date2, &criteria.time1, &criteria.time2})
        CheckCalendar(*time);
    for (const std::uint8_t flag : {criteria.hexadecimal, criteria.unicodeUtf8, criteria.searchHidden,
                                    criteria.searchReadOnly, criteria.searchSystem, criteria.searchSubfolders,
                                    criteria.caseSensitive, criteria.searchShortNames})
        CheckFlag(flag);
    Check(criteria.padding1[0] == 0 && criteria.padding1[1] == 0);
    Check(criteria.padding2[0] == 0 && criteria.padding2[1] == 0);

    const sifter::CriteriaBytes stored = sifter::EncodeCriteria(criteria);
    Check(sifter::EncodeCriteria(sifter::DecodeCriteria(stored)) == stored);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::string> args;
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    for (std::size_t start = 0; start <= input.size() && args.size() < kMostArguments;) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        args.emplace_back(input.substr(start, end - start));
        start = end + 1;
    }

    sifter::CliOptions options;
    std::string error;
    if (!sifter::ParseCliOptions(args, options, error)) {
        Check(!error.empty());
        return 0;
    }
    Check(error.empty());
    if (options.action == sifter::CliAction::List)
        Check(!options.listFile.empty() && options.saveFile.empty() && options.criteriaFile.empty());
    if (options.action != sifter::CliAction::Search)
        return 0;

    SearchCriteria criteria;
    sifter::ResetCriteria(criteria, kNow);
    sifter::ApplyCriteriaOptions(options.criteria, criteria, kNow);
    CheckRecord(options.criteria, criteria);
    if (!sifter::ValidateCriteria(criteria, error))
        Check(!error.empty());

    // The criteria beyond the record: relative bounds only of units the run knows, and an
    // expression either compiled or refused with a message.
    sifter::ExtraCriteria extras;
    sifter::ApplyExtraCriteriaOptions(options.criteria, extras);
    for (const sifter::RelativeDate &bound : {extras.date1, extras.date2})
        Check(bound.unit >= sifter::kRelativeNone && bound.unit <= sifter::kRelativeLast);
    if (!sifter::ValidateExtraCriteria(criteria, extras, error))
        Check(!error.empty());
    return 0;
}
