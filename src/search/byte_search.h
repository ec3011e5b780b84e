// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding a byte string in a buffer: the first occurrence, as a byte-by-byte scan finds it.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace sifter {

// The first position of needle in haystack[0 .. length), or -1; 0 for an empty needle.
std::int64_t FindBytes(const char *haystack, std::size_t length, std::string_view needle);

} // namespace sifter
