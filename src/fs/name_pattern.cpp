// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-name wildcard matching for folder listings.
#include "fs/folder_listing.h"

#include "text/utf8.h"

#include <QChar>

#include <algorithm>

namespace sifter {
namespace {

constexpr char kAnyRun = '*';
constexpr char kAnyCharacter = '?';
constexpr std::string_view kAnyExtension = ".*";
constexpr char32_t kMaxCodePoint = 0x10FFFF;
// A byte that starts no valid UTF-8 sequence stands for itself, above every code
// point, so that it equals only the same byte and is never case-mapped.
constexpr char32_t kInvalidByteBase = kMaxCodePoint + 1;

struct Character {
    char32_t code;
    std::size_t length; // bytes
};

// The character starting at text[pos]; pos < text.size(). In an ASCII text every byte
// is a character of its own.
template <bool kAscii>
inline Character DecodeAt(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (kAscii || lead < 0x80)
        return {lead, 1};
    const Utf8Sequence sequence = DecodeUtf8(text, pos);
    if (!sequence.valid)
        return {kInvalidByteBase + lead, 1};
    return {sequence.codePoint, sequence.length};
}

// Upper case by Unicode simple case mapping, as the name texts are upper-cased elsewhere.
inline char32_t UpperCaseOf(char32_t code)
{
    if (code < 0x80)
        return (code >= 'a' && code <= 'z') ? code - ('a' - 'A') : code;
    if (code >= kInvalidByteBase)
        return code;
    return QChar::toUpper(code);
}

inline bool SameIgnoringCase(char32_t a, char32_t b)
{
    return a == b || UpperCaseOf(a) == UpperCaseOf(b);
}

// Counts nothing: what the program's own matching uses.
struct NoCount {
    void operator()() const {}
};

// Adds one per loop step, for checking the bound of the work.
struct StepCount {
    std::size_t &steps;
    void operator()() const { ++steps; }
};

// Greedy matching that remembers only the last "*": when a later part fails, that
// star takes one more character and matching resumes after it. An earlier star never
// needs to take more, since the last one can absorb anything it would, so the work
// stays within pattern length x name length: each pass moves forward in the pattern
// only, and each new pass starts one character further in the name.
template <bool kAscii, typename Count>
bool MatchesWhole(std::string_view pattern, std::string_view name, Count count)
{
    constexpr std::size_t kNoStar = std::string_view::npos;
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starPattern = kNoStar; // pattern position after the last star
    std::size_t starName = 0;          // name position that star's run ends at
    while (n < name.size()) {
        count();
        if (p < pattern.size()) {
            const char symbol = pattern[p];
            if (symbol == kAnyRun) {
                while (p < pattern.size() && pattern[p] == kAnyRun) {
                    count();
                    ++p;
                }
                if (p == pattern.size())
                    return true;
                starPattern = p;
                starName = n;
                continue;
            }
            const Character here = DecodeAt<kAscii>(name, n);
            if (symbol == kAnyCharacter) {
                ++p;
                n += here.length;
                continue;
            }
            const Character wanted = DecodeAt<kAscii>(pattern, p);
            if (SameIgnoringCase(wanted.code, here.code)) {
                p += wanted.length;
                n += here.length;
                continue;
            }
        }
        if (starPattern == kNoStar)
            return false;
        starName += DecodeAt<kAscii>(name, starName).length;
        n = starName;
        p = starPattern;
    }
    while (p < pattern.size() && pattern[p] == kAnyRun) {
        count();
        ++p;
    }
    return p == pattern.size();
}

bool IsAscii(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

template <bool kAscii, typename Count>
bool MatchesPatternAs(std::string_view pattern, std::string_view name, Count count)
{
    if (MatchesWhole<kAscii>(pattern, name, count))
        return true;
    // "name.*" stands for the name with any extension or none.
    if (pattern.ends_with(kAnyExtension) && name.find('.') == std::string_view::npos)
        return MatchesWhole<kAscii>(pattern.substr(0, pattern.size() - kAnyExtension.size()), name, count);
    return false;
}

template <typename Count>
bool MatchesPattern(std::string_view pattern, std::string_view name, Count count)
{
    // Most names and patterns are ASCII, whose bytes need no decoding: the same matching,
    // in a fraction of the time a walk spends on it for every entry.
    if (IsAscii(pattern) && IsAscii(name))
        return MatchesPatternAs<true>(pattern, name, count);
    return MatchesPatternAs<false>(pattern, name, count);
}

} // namespace

bool PatternMatches(std::string_view pattern, std::string_view name)
{
    // A search without names asks "*.*" of every entry (which matches names without a dot
    // too), an expression's run "*": the general matcher took a tenth of the walk's time.
    if (pattern == "*" || pattern == "*.*")
        return true;
    // "*.h" and the like, the commonest patterns: the name's end alone decides. Only in ASCII,
    // where no other character's upper case is an ASCII letter (that of U+0131 is "I").
    if (pattern.size() > 1 && pattern[0] == kAnyRun && pattern.find_first_of("*?", 1) == std::string_view::npos &&
        IsAscii(pattern) && IsAscii(name)) {
        const std::string_view end = pattern.substr(1);
        return name.size() >= end.size() &&
               std::equal(end.begin(), end.end(), name.end() - static_cast<std::ptrdiff_t>(end.size()),
                          [](char a, char b) { return UpperCaseOf(static_cast<unsigned char>(a)) ==
                                                      UpperCaseOf(static_cast<unsigned char>(b)); });
    }
    return MatchesPattern(pattern, name, NoCount{});
}

bool PatternMatchesCounting(std::string_view pattern, std::string_view name, std::size_t &steps)
{
    return MatchesPattern(pattern, name, StepCount{steps});
}

} // namespace sifter
