// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cutting the criteria texts into lists.
#include <string>
#include <string_view>
#include <vector>

namespace sifter {

// How two pieces are found to be the same when duplicates are dropped.
enum class DuplicateRule {
    IgnoreAsciiCase, // names and words
    Exact,           // folders: Linux file systems are case-sensitive
};

// Empties list, then appends every non-empty piece of text cut at separator that is not
// already in the list (by rule). Pieces are not trimmed. False when text is empty.
bool SplitList(std::string_view text, char separator, std::vector<std::string> &list,
               DuplicateRule rule = DuplicateRule::IgnoreAsciiCase);

} // namespace sifter
