// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Byte strings written as numbers, for the tests of binary and non-UTF-8 data.
#include <initializer_list>
#include <string>

namespace sifter::test {

// The bytes of the values given, in order, each taken as a char.
inline std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

} // namespace sifter::test
