// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/option_values.h"

#include "search/search_criteria.h"

#include <chrono>
#include <limits>
#include <utility>

namespace sifter {
namespace {

constexpr int kMaxDateYear = 9999;
constexpr int kMaxHour = 23;
constexpr int kMaxMinute = 59;
constexpr int kMaxSecond = 59;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Takes minDigits to maxDigits digits from the front of text.
std::optional<int> TakeNumber(std::string_view &text, std::size_t minDigits, std::size_t maxDigits)
{
    std::size_t count = 0;
    int value = 0;
    while (count < text.size() && count < maxDigits && IsDigit(text[count])) {
        value = value * 10 + (text[count] - '0');
        ++count;
    }
    if (count < minDigits)
        return std::nullopt;
    text.remove_prefix(count);
    return value;
}

bool TakeChar(std::string_view &text, char c)
{
    if (text.empty() || text.front() != c)
        return false;
    text.remove_prefix(1);
    return true;
}

// "=", ">=" or "<=" from the front of text, as a comparison code.
std::optional<std::int32_t> TakeComparison(std::string_view &text)
{
    if (TakeChar(text, '='))
        return kCompareEqual;
    if (text.substr(0, 2) == ">=") {
        text.remove_prefix(2);
        return kCompareAtLeast;
    }
    if (text.substr(0, 2) == "<=") {
        text.remove_prefix(2);
        return kCompareAtMost;
    }
    return std::nullopt;
}

bool TakeDate(std::string_view &text, DateValue &out)
{
    const std::optional<int> year = TakeNumber(text, 4, 4);
    if (!year || !TakeChar(text, '-'))
        return false;
    const std::optional<int> month = TakeNumber(text, 1, 2);
    if (!month || !TakeChar(text, '-'))
        return false;
    const std::optional<int> day = TakeNumber(text, 1, 2);
    if (!day)
        return false;
    const std::chrono::year_month_day date{std::chrono::year{*year}, std::chrono::month{static_cast<unsigned>(*month)},
                                           std::chrono::day{static_cast<unsigned>(*day)}};
    if (!date.ok() || *year < kMinDateYear || *year > kMaxDateYear)
        return false;
    out.hasDate = true;
    out.year = *year;
    out.month = *month;
    out.day = *day;
    return true;
}

bool TakeTime(std::string_view &text, DateValue &out)
{
    const std::optional<int> hour = TakeNumber(text, 1, 2);
    if (!hour || !TakeChar(text, ':'))
        return false;
    const std::optional<int> minute = TakeNumber(text, 2, 2);
    if (!minute)
        return false;
    std::optional<int> second = 0;
    if (TakeChar(text, ':')) {
        second = TakeNumber(text, 2, 2);
        if (!second)
            return false;
    }
    if (*hour > kMaxHour || *minute > kMaxMinute || *second > kMaxSecond)
        return false;
    out.hasTime = true;
    out.hour = *hour;
    out.minute = *minute;
    out.second = *second;
    return true;
}

} // namespace

std::optional<std::uint32_t> ParseUnsigned32(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > std::numeric_limits<std::uint32_t>::max())
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<SizeBound> ParseSizeBound(std::string_view text)
{
    const std::optional<std::int32_t> compare = TakeComparison(text);
    if (!compare)
        return std::nullopt;
    const std::optional<std::uint32_t> value = ParseUnsigned32(text);
    if (!value)
        return std::nullopt;
    return SizeBound{*compare, *value};
}

std::optional<DateValue> ParseDateValue(std::string_view text)
{
    DateValue value;
    // A date has "-" before any ":"; a time alone starts with its hour.
    const std::size_t dash = text.find('-');
    if (dash != std::string_view::npos && dash < text.find(':')) {
        if (!TakeDate(text, value))
            return std::nullopt;
        if (text.empty())
            return value;
        if (!TakeChar(text, 'T') && !TakeChar(text, ' '))
            return std::nullopt;
    }
    if (!TakeTime(text, value) || !text.empty())
        return std::nullopt;
    return value;
}

std::optional<RelativeDate> ParseRelativeDate(std::string_view text)
{
    if (text == "today")
        return RelativeDate{kRelativeToday, 0};
    if (text == "yesterday")
        return RelativeDate{kRelativeYesterday, 0};
    if (!TakeChar(text, '-'))
        return std::nullopt;
    const std::size_t digits = text.find_first_not_of("0123456789");
    if (digits == std::string_view::npos)
        return std::nullopt;
    const std::optional<std::uint32_t> count = ParseUnsigned32(text.substr(0, digits));
    if (!count)
        return std::nullopt;
    constexpr std::pair<std::string_view, std::int32_t> kUnits[] = {{"min", kRelativeMinutes}, {"h", kRelativeHours},
                                                                  {"d", kRelativeDays},      {"w", kRelativeWeeks},
                                                                  {"mo", kRelativeMonths}};
    for (const auto &[name, unit] : kUnits) {
        if (text.substr(digits) == name)
            return RelativeDate{unit, *count};
    }
    return std::nullopt;
}

std::optional<DateBound> ParseDateBound(std::string_view text)
{
    const std::optional<std::int32_t> compare = TakeComparison(text);
    if (!compare)
        return std::nullopt;
    if (const std::optional<RelativeDate> relative = ParseRelativeDate(text))
        return DateBound{*compare, DateValue{}, *relative};
    const std::optional<DateValue> value = ParseDateValue(text);
    if (!value)
        return std::nullopt;
    return DateBound{*compare, *value, RelativeDate{}};
}

int DayOfWeek(int year, int month, int day)
{
    const std::chrono::sys_days days{std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
                                     std::chrono::day{static_cast<unsigned>(day)}};
    return static_cast<int>(std::chrono::weekday{days}.c_encoding());
}

} // namespace sifter
