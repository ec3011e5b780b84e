#pragma once
// File sizes as the file managers write them, in the user's locale.
#include <cstdint>
#include <string>

namespace sifter {

// Kilobytes rounded up, with the locale's digit grouping: 0 -> "0 KB", 1 -> "1 KB",
// 1,263,616 -> "1,234 KB".
std::string FormatKBSize(std::uint64_t bytes);
// Three significant digits in the largest fitting unit: "532 bytes", "1.45 KB",
// "12.3 KB", "123 KB", "1.17 MB", up to EB.
std::string FormatByteSize(std::uint64_t bytes);

} // namespace sifter
