// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/split_list.h"

#include "text/code_page.h"

#include <algorithm>

namespace sifter {

bool SplitList(std::string_view text, char separator, std::vector<std::string> &list, DuplicateRule rule)
{
    list.clear();
    if (text.empty())
        return false;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view piece = text.substr(start, end - start);
        const bool known = std::any_of(list.begin(), list.end(), [&](const std::string &entry) {
            return rule == DuplicateRule::Exact ? entry == piece : EqualIgnoringAsciiCase(entry, piece);
        });
        if (!piece.empty() && !known)
            list.emplace_back(piece);
        start = end + 1;
    }
    return true;
}

} // namespace sifter
