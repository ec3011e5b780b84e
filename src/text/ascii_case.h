// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Case folding of ASCII letters only, where a comparison or a key must not depend on the
// locale (desktop names, file extensions, sort keys): every other byte stays as it is.
#include <algorithm>
#include <string>
#include <string_view>

namespace sifter {

constexpr unsigned char AsciiLower(unsigned char byte)
{
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

inline std::string AsciiLowered(std::string_view text)
{
    std::string lower(text);
    for (char &c : lower)
        c = static_cast<char>(AsciiLower(static_cast<unsigned char>(c)));
    return lower;
}

// a before b once both are folded, bytes compared unsigned as std::string compares them.
inline bool AsciiLessFolded(std::string_view a, std::string_view b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return AsciiLower(static_cast<unsigned char>(x)) < AsciiLower(static_cast<unsigned char>(y));
    });
}

} // namespace sifter
