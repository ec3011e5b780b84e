// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How much memory the system can still give to this program, so that a file announcing
// huge contents can be refused before it is read.
#include <cstdint>
#include <string_view>

namespace sifter {

// Bytes that new allocations can take without swapping: the kernel's own estimate
// (MemAvailable of /proc/meminfo), else free plus buffer memory from sysinfo; 0 when the
// system says neither.
std::uint64_t AvailableMemory();

// MemAvailable of a /proc/meminfo text in bytes; 0 when the line is missing or unreadable.
std::uint64_t ParseMemAvailable(std::string_view meminfo);

} // namespace sifter
