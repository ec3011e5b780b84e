// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name tests of the folder walk.
#include <string_view>

namespace sifter {

// True for "." and "..", the entries that name a folder itself and its parent.
bool IsDotEntry(std::string_view name);
// True when the pattern contains "*" or "?".
bool HasWildcards(std::string_view pattern);
// True when pattern has wildcards; otherwise whether pattern occurs in longName, compared
// with case when withCase is set, else after upper-casing both (whole characters).
bool NameContains(std::string_view longName, std::string_view pattern, bool withCase);

} // namespace sifter
