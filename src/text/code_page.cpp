// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/code_page.h"

#include "text/little_endian.h"
#include "text/utf8.h"

#include <QChar>

#include <algorithm>

namespace sifter {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char32_t kLastBmpCodePoint = 0xFFFF;
constexpr char16_t kHighSurrogateFirst = 0xD800;
constexpr char16_t kLowSurrogateFirst = 0xDC00;
constexpr char16_t kLowSurrogateLast = 0xDFFF;
constexpr char32_t kSupplementaryBase = 0x10000;

constexpr char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c;
}

} // namespace

bool CodePageToUtf16(std::string_view text, std::u16string &out, std::size_t maxUnits)
{
    out.clear();
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Sequence seq = DecodeUtf8(text, pos);
        pos += seq.length;
        const char32_t codePoint = seq.valid ? seq.codePoint : kReplacementCharacter;
        const std::size_t units = codePoint > kLastBmpCodePoint ? 2 : 1;
        if (out.size() + units > maxUnits) {
            out.clear();
            return false;
        }
        if (units == 1) {
            out.push_back(static_cast<char16_t>(codePoint));
        } else {
            const char32_t offset = codePoint - kSupplementaryBase;
            out.push_back(static_cast<char16_t>(kHighSurrogateFirst + (offset >> 10)));
            out.push_back(static_cast<char16_t>(kLowSurrogateFirst + (offset & 0x3FF)));
        }
    }
    return !out.empty();
}

std::string Utf16LittleEndianBytes(std::u16string_view units)
{
    std::string bytes(units.size() * 2, '\0');
    auto *out = reinterpret_cast<std::uint8_t *>(bytes.data());
    for (std::size_t i = 0; i < units.size(); ++i)
        PutLittleEndian16(out + 2 * i, units[i]);
    return bytes;
}

bool Utf16ToUtf8(std::u16string_view units, std::string &out, std::size_t maxBytes)
{
    out.clear();
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t codePoint = units[i];
        const bool high = codePoint >= kHighSurrogateFirst && codePoint < kLowSurrogateFirst;
        const bool low = codePoint >= kLowSurrogateFirst && codePoint <= kLowSurrogateLast;
        if (high && i + 1 < units.size() && units[i + 1] >= kLowSurrogateFirst &&
            units[i + 1] <= kLowSurrogateLast) {
            codePoint = kSupplementaryBase + ((codePoint - kHighSurrogateFirst) << 10) +
                        (units[i + 1] - kLowSurrogateFirst);
            ++i;
        } else if (high || low) {
            codePoint = kReplacementCharacter;
        }
        if (out.size() + Utf8Length(codePoint) > maxBytes) {
            out.clear();
            return false;
        }
        AppendUtf8(out, codePoint);
    }
    return !out.empty();
}

std::string UpperCase(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char c = text[pos];
        if (static_cast<unsigned char>(c) < 0x80) {
            out.push_back(AsciiUpper(c));
            ++pos;
            continue;
        }
        const Utf8Sequence seq = DecodeUtf8(text, pos);
        const char32_t upper = seq.valid ? QChar::toUpper(seq.codePoint) : seq.codePoint;
        if (!seq.valid || upper == seq.codePoint)
            out.append(text.substr(pos, seq.length));
        else
            AppendUtf8(out, upper);
        pos += seq.length;
    }
    return out;
}

std::string UpperCaseAscii(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        c = AsciiUpper(c);
    return out;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiUpper(x) == AsciiUpper(y); });
}

std::string_view CutToField(std::string_view text, std::size_t fieldSize)
{
    if (fieldSize == 0)
        return {};
    const std::size_t limit = fieldSize - 1;
    if (text.size() <= limit)
        return text;
    // Bytes inside a valid sequence are all continuation bytes, so the nearest
    // non-continuation byte before the cut starts the character the cut may split.
    std::size_t start = limit;
    while (start > 0 && limit - start < 3 && IsUtf8Continuation(static_cast<unsigned char>(text[start])))
        --start;
    if (start < limit && !IsUtf8Continuation(static_cast<unsigned char>(text[start]))) {
        const Utf8Sequence seq = DecodeUtf8(text, start);
        if (seq.valid && start + seq.length > limit)
            return text.substr(0, start);
    }
    return text.substr(0, limit);
}

std::size_t CharacterCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        pos += byte < 0x80 ? 1 : DecodeUtf8(text, pos).length;
    }
    return count;
}

} // namespace sifter
