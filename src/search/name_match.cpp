// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/name_match.h"

#include "text/code_page.h"

#include <algorithm>
#include <string>

namespace sifter {
namespace {

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char FoldAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

bool IsDotEntry(std::string_view name)
{
    return name == "." || name == "..";
}

bool HasWildcards(std::string_view pattern)
{
    return pattern.find_first_of("*?") != std::string_view::npos;
}

bool NameContains(std::string_view longName, std::string_view pattern, bool withCase)
{
    if (HasWildcards(pattern))
        return true;
    if (withCase)
        return longName.find(pattern) != std::string_view::npos;
    // Upper-casing ASCII needs no allocation; the walk calls this for every listed entry.
    if (IsAscii(longName) && IsAscii(pattern)) {
        return std::search(longName.begin(), longName.end(), pattern.begin(), pattern.end(),
                           [](char a, char b) { return FoldAscii(a) == FoldAscii(b); }) != longName.end();
    }
    return UpperCase(longName).find(UpperCase(pattern)) != std::string::npos;
}

} // namespace sifter
