// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds byte strings and a buffer to the one-pass search of several strings and checks what
// it tells against the standard library's search of each string on its own: every string
// that occurs is told once, with the end of a real occurrence, and no other. The input:
//   byte 0   the number of strings (1-32, from its low five bits), bit 5 a stop after the
//            first report (then at most one is told)
//   then each string as one length byte (0 stands for 256) and its bytes; the rest is the
//   buffer.
#include "search/byte_set_search.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr unsigned kCountBits = 31;
constexpr unsigned kStopBit = 32;
constexpr std::size_t kLengthForZero = 256;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

class Told final : public sifter::BytePatternSink {
public:
    Told(std::size_t patterns, bool stopAtFirst) : ends(patterns, 0), stopAtFirst_(stopAtFirst) {}
    bool Occurs(std::size_t pattern, std::size_t end) override
    {
        Check(pattern < ends.size() && ends[pattern] == 0 && end != 0);
        ends[pattern] = end;
        ++reports;
        return !stopAtFirst_;
    }
    std::vector<std::size_t> ends;
    std::size_t reports = 0;

private:
    bool stopAtFirst_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::size_t count = 1 + (bytes[0] & kCountBits);
    const bool stopAtFirst = (bytes[0] & kStopBit) != 0;
    std::string_view rest(reinterpret_cast<const char *>(bytes) + 1, size - 1);
    std::vector<std::string> patterns;
    while (patterns.size() < count && !rest.empty()) {
        const std::size_t length = static_cast<std::uint8_t>(rest.front()) == 0 ? kLengthForZero
                                                                                : static_cast<std::uint8_t>(rest.front());
        rest.remove_prefix(1);
        if (length > rest.size())
            return 0;
        patterns.emplace_back(rest.substr(0, length));
        rest.remove_prefix(length);
    }
    const std::shared_ptr<const sifter::BytePatternSet> set = sifter::BytePatternSet::Make(patterns);
    if (!set)
        return 0; // no strings
    sifter::BytePatternScanner scanner(set);
    Check(scanner.Ready());
    Told told(patterns.size(), stopAtFirst);
    // A scan may fail (Hyperscan 5.4 fails some sets with a long string over a short
    // buffer); the caller then looks for the strings another way. What it tells must hold.
    if (!scanner.Scan(rest.data(), rest.size(), told))
        return 0;
    if (stopAtFirst)
        Check(told.reports <= 1);
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        const std::string &pattern = patterns[i];
        const bool occurs = rest.find(pattern) != std::string_view::npos;
        if (told.ends[i] != 0)
            Check(told.ends[i] >= pattern.size() && rest.substr(told.ends[i] - pattern.size(), pattern.size()) == pattern);
        else if (!stopAtFirst)
            Check(!occurs);
        if (stopAtFirst && occurs)
            Check(told.reports == 1);
    }
    return 0;
}
