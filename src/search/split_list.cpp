#include "search/split_list.h"

#include <algorithm>

namespace sifter {
namespace {

char FoldAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

} // namespace

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
            return rule == DuplicateRule::Exact ? entry == piece : SameIgnoringAsciiCase(entry, piece);
        });
        if (!piece.empty() && !known)
            list.emplace_back(piece);
        start = end + 1;
    }
    return true;
}

} // namespace sifter
