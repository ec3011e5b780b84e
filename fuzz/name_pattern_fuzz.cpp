// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds a pattern and a name (the input cut at its first NUL) to the name-pattern matcher.
// It must never crash, must keep its work within the pattern x name bound it promises, and
// on texts of reasonable length must agree with the textbook table matcher over whole
// characters.
#include "fs/folder_listing.h"
#include "text/utf8.h"

#include <QChar>

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

// Longer texts are left to the bound check: the reference's table grows with their product.
constexpr std::size_t kReferenceLength = 256;
// A byte that starts no valid UTF-8 sequence is a character of its own, equal only to itself.
constexpr char32_t kInvalidByteBase = 0x110000;

std::vector<char32_t> Characters(std::string_view text)
{
    std::vector<char32_t> characters;
    for (std::size_t pos = 0; pos < text.size();) {
        const sifter::Utf8Sequence sequence = sifter::DecodeUtf8(text, pos);
        characters.push_back(sequence.valid ? sequence.codePoint
                                            : kInvalidByteBase + static_cast<unsigned char>(text[pos]));
        pos += sequence.length;
    }
    return characters;
}

bool Same(char32_t a, char32_t b)
{
    if (a == b)
        return true;
    if (a >= kInvalidByteBase || b >= kInvalidByteBase)
        return false;
    return QChar::toUpper(a) == QChar::toUpper(b);
}

// The textbook table: match[i][j] says whether pattern from i matches name from j.
bool Reference(const std::vector<char32_t> &pattern, std::size_t patternSize, const std::vector<char32_t> &name)
{
    std::vector<std::vector<char>> match(patternSize + 1, std::vector<char>(name.size() + 1, 0));
    match[patternSize][name.size()] = 1;
    for (std::size_t i = patternSize; i-- > 0;) {
        for (std::size_t j = name.size() + 1; j-- > 0;) {
            const bool more = j < name.size();
            if (pattern[i] == '*')
                match[i][j] = match[i + 1][j] || (more && match[i][j + 1]);
            else
                match[i][j] = more && (pattern[i] == '?' || Same(pattern[i], name[j])) && match[i + 1][j + 1];
        }
    }
    return match[0][0] != 0;
}

bool ReferenceMatches(std::string_view patternText, std::string_view nameText)
{
    const std::vector<char32_t> pattern = Characters(patternText);
    const std::vector<char32_t> name = Characters(nameText);
    if (Reference(pattern, pattern.size(), name))
        return true;
    const bool anyExtension = pattern.size() >= 2 && pattern[pattern.size() - 2] == '.' && pattern.back() == '*';
    const bool dotless = nameText.find('.') == std::string_view::npos;
    return anyExtension && dotless && Reference(pattern, pattern.size() - 2, name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::size_t cut = input.find('\0');
    const std::string_view pattern = input.substr(0, cut);
    const std::string_view name = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);

    std::size_t steps = 0;
    const bool matches = sifter::PatternMatchesCounting(pattern, name, steps);
    if (matches != sifter::PatternMatches(pattern, name))
        std::abort();
    if (steps > 4 * (pattern.size() + 1) * (name.size() + 1))
        std::abort();
    if (pattern.size() <= kReferenceLength && name.size() <= kReferenceLength &&
        matches != ReferenceMatches(pattern, name))
        std::abort();
    return 0;
}
