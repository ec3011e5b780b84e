// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Counting a text's occurrences in another, for the tests of generated files.
#include <cstddef>
#include <string_view>

namespace sifter::test {

// How many times piece stands in text, overlapping occurrences each counted.
inline std::size_t CountOf(std::string_view text, std::string_view piece)
{
    std::size_t count = 0;
    for (std::size_t pos = text.find(piece); pos != std::string_view::npos; pos = text.find(piece, pos + 1))
        ++count;
    return count;
}

} // namespace sifter::test
