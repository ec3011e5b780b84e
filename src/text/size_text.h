// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File sizes as the file managers write them, in the user's locale.
#include <cstdint>
#include <string>

namespace sifter {

// Kilobytes rounded up, with the locale's digit grouping (also in the C locale):
// 0 -> "0 KB", 1 -> "1 KB", 1,263,616 -> "1,234 KB".
std::string FormatKBSize(std::uint64_t bytes);
// Three significant digits in the largest unit that holds at least 1, truncated, never
// rounded up, with the locale's decimal point and no grouping: "1 byte", "532 bytes",
// "1.45 KB", "12.3 KB", "123 KB", "1.17 MB", up to EB; 1,000 to 1,023 of a unit keep
// all four digits ("1023 bytes", "1023 KB").
std::string FormatByteSize(std::uint64_t bytes);

} // namespace sifter
