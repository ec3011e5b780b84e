// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/criteria_options.h"

#include "search/criteria_expressions.h"
#include "search/hex_decoding.h"
#include "search/split_list.h"
#include "search/text_field.h"
#include "text/translation.h"

#include <vector>

namespace sifter {
namespace {

constexpr char kWordSeparator = ' ';

// The whole calendar value: the missing date is today's, a missing time is midnight.
SystemTime ToSystemTime(const DateValue &value, const SystemTime &now)
{
    SystemTime fields;
    if (value.hasDate) {
        fields.year = static_cast<std::uint16_t>(value.year);
        fields.month = static_cast<std::uint16_t>(value.month);
        fields.day = static_cast<std::uint16_t>(value.day);
        fields.dayOfWeek = static_cast<std::uint16_t>(DayOfWeek(value.year, value.month, value.day));
    } else {
        fields.year = now.year;
        fields.month = now.month;
        fields.day = now.day;
        fields.dayOfWeek = now.dayOfWeek;
    }
    if (value.hasTime) {
        fields.hour = static_cast<std::uint16_t>(value.hour);
        fields.minute = static_cast<std::uint16_t>(value.minute);
        fields.second = static_cast<std::uint16_t>(value.second);
    }
    return fields;
}

void ApplyDateBound(const DateBound &bound, std::int32_t &compare, SystemTime &date, SystemTime &time,
                    const SystemTime &now)
{
    compare = bound.compare;
    if (bound.relative.unit != kRelativeNone)
        return; // the run puts the moment in
    const SystemTime fields = ToSystemTime(bound.value, now);
    if (bound.value.hasDate)
        date = fields;
    if (bound.value.hasTime)
        time = fields;
}

void ApplyTexts(const CriteriaOptions &options, SearchCriteria &criteria)
{
    // The parser refused texts longer than their fields, so nothing is cut here.
    if (options.names)
        SetTextField(criteria.names, *options.names);
    if (options.words)
        SetTextField(criteria.words, *options.words);
    if (options.folders)
        SetTextField(criteria.folders, *options.folders);
    if (TextField(criteria.folders).empty())
        SetTextField(criteria.folders, kDefaultSearchFolder);
}

void ApplySwitches(const CriteriaOptions &options, SearchCriteria &criteria)
{
    if (options.hexadecimal)
        criteria.hexadecimal = 1;
    if (options.noUnicode)
        criteria.unicodeUtf8 = 0;
    if (options.noHidden)
        criteria.searchHidden = 0;
    if (options.noReadOnly)
        criteria.searchReadOnly = 0;
    if (options.noSystem)
        criteria.searchSystem = 0;
    if (options.noSubfolders)
        criteria.searchSubfolders = 0;
    if (options.caseSensitive)
        criteria.caseSensitive = 1;
    if (options.shortNames)
        criteria.searchShortNames = 1;
}

void ApplySizes(const CriteriaOptions &options, SearchCriteria &criteria)
{
    if (options.sizeUnit)
        criteria.sizeUnit = *options.sizeUnit;
    if (options.size1) {
        criteria.sizeCompare1 = options.size1->compare;
        criteria.sizeValue1 = options.size1->value;
    }
    if (options.size2) {
        criteria.sizeCompare2 = options.size2->compare;
        criteria.sizeValue2 = options.size2->value;
    }
    if ((options.size1 || options.size2) && criteria.sizeUnit == kSizeUnitNone)
        criteria.sizeUnit = kSizeUnitBytes;
}

void ApplyDates(const CriteriaOptions &options, SearchCriteria &criteria, const SystemTime &now)
{
    if (options.dateKind)
        criteria.dateKind = *options.dateKind;
    if (options.datePart)
        criteria.datePart = *options.datePart;
    if (options.date1)
        ApplyDateBound(*options.date1, criteria.dateCompare1, criteria.date1, criteria.time1, now);
    if (options.date2)
        ApplyDateBound(*options.date2, criteria.dateCompare2, criteria.date2, criteria.time2, now);
    if ((options.date1 || options.date2) && criteria.dateKind == kDateKindNone)
        criteria.dateKind = kDateKindModified;
}

} // namespace

void ApplyCriteriaOptions(const CriteriaOptions &options, SearchCriteria &criteria, const SystemTime &now)
{
    ApplyTexts(options, criteria);
    if (options.wordMode)
        criteria.wordMode = *options.wordMode;
    ApplySwitches(options, criteria);
    ApplySizes(options, criteria);
    ApplyDates(options, criteria, now);
}

void ApplyExtraCriteriaOptions(const CriteriaOptions &options, ExtraCriteria &extras)
{
    if (options.excludes)
        extras.excludes = *options.excludes;
    if (options.regexNames)
        extras.regexNames = true;
    if (options.regexWords)
        extras.regexWords = true;
    if (options.date1)
        extras.date1 = options.date1->relative;
    if (options.date2)
        extras.date2 = options.date2->relative;
}

bool ValidateCriteria(const SearchCriteria &criteria, std::string &error)
{
    if (!criteria.hexadecimal)
        return true;
    // The run would end silently with nothing found; saying why is kinder.
    std::vector<std::string> words;
    SplitList(TextField(criteria.words), kWordSeparator, words);
    for (const std::string &word : words) {
        std::string bytes;
        if (!DecodeHexText(word, bytes)) {
            error = CatalogueText("sifter-cli", "--hex: '%1' is not hexadecimal (pairs of digits 0-9, a-f)").Arg(word).Text();
            return false;
        }
    }
    return true;
}

bool ValidateExtraCriteria(const SearchCriteria &criteria, const ExtraCriteria &extras, std::string &error)
{
    if (extras.regexWords && (criteria.wordMode == kWordModeAll || criteria.wordMode == kWordModePhrase)) {
        error = CatalogueText("sifter-cli", "--regex-words: the words are one expression; the modes are any and without").Text();
        return false;
    }
    error = CriteriaExpressionError(criteria, extras);
    return error.empty();
}

} // namespace sifter
