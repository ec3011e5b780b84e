// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/available_memory.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <sys/sysinfo.h>

namespace sifter {
namespace {

constexpr std::string_view kMemAvailableKey = "MemAvailable:";
constexpr std::string_view kKibibyteUnit = "kB";
constexpr std::uint64_t kKibibyte = 1024;

std::string_view TrimSpaces(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace

std::uint64_t ParseMemAvailable(std::string_view meminfo)
{
    std::size_t at = 0;
    while (at < meminfo.size()) {
        std::size_t end = meminfo.find('\n', at);
        if (end == std::string_view::npos)
            end = meminfo.size();
        const std::string_view line = meminfo.substr(at, end - at);
        at = end + 1;
        if (line.substr(0, kMemAvailableKey.size()) != kMemAvailableKey)
            continue;
        const std::string_view value = TrimSpaces(line.substr(kMemAvailableKey.size()));
        std::uint64_t kibibytes = 0;
        const auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(), kibibytes);
        if (error != std::errc() || TrimSpaces(std::string_view(rest, value.data() + value.size() - rest)) != kKibibyteUnit ||
            kibibytes > std::numeric_limits<std::uint64_t>::max() / kKibibyte)
            return 0;
        return kibibytes * kKibibyte;
    }
    return 0;
}

std::uint64_t AvailableMemory()
{
    std::ifstream meminfo("/proc/meminfo");
    const std::string text((std::istreambuf_iterator<char>(meminfo)), std::istreambuf_iterator<char>());
    if (const std::uint64_t available = ParseMemAvailable(text); available != 0)
        return available;
    // Without /proc (or on a kernel before 3.14): free memory plus buffers understates what
    // could be reclaimed, which only makes the refusal more careful.
    struct sysinfo info {};
    if (sysinfo(&info) != 0)
        return 0;
    return (static_cast<std::uint64_t>(info.freeram) + info.bufferram) * info.mem_unit;
}

} // namespace sifter
