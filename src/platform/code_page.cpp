#include "platform/code_page.h"

#include <QChar>

namespace sifter {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char32_t kLastBmpCodePoint = 0xFFFF;
constexpr char16_t kHighSurrogateFirst = 0xD800;
constexpr char16_t kLowSurrogateFirst = 0xDC00;
constexpr char16_t kLowSurrogateLast = 0xDFFF;
constexpr char32_t kSupplementaryBase = 0x10000;

// One UTF-8 sequence at the start of a text: its code point and length, or, for a
// byte that starts no valid sequence, length 1 and valid false.
struct Utf8Sequence {
    char32_t codePoint = 0;
    std::size_t length = 1;
    bool valid = false;
};

constexpr bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// Well-formed UTF-8 only: no overlong forms, no surrogates, nothing past U+10FFFF.
Utf8Sequence DecodeUtf8(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80)
        return {lead, 1, true};
    std::size_t length = 0;
    unsigned char low = 0x80; // range of the second byte, which rules out the bad forms
    unsigned char high = 0xBF;
    char32_t codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return {};
    }
    if (text.size() - pos < length)
        return {};
    const auto second = static_cast<unsigned char>(text[pos + 1]);
    if (second < low || second > high)
        return {};
    codePoint = (codePoint << 6) | (second & 0x3F);
    for (std::size_t i = 2; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if (!IsContinuation(next))
            return {};
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    return {codePoint, length, true};
}

void AppendUtf8(std::string &out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

constexpr std::size_t Utf8Length(char32_t codePoint)
{
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

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
    for (std::size_t i = 0; i < units.size(); ++i) {
        bytes[2 * i] = static_cast<char>(units[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(units[i] >> 8);
    }
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
    while (start > 0 && limit - start < 3 && IsContinuation(static_cast<unsigned char>(text[start])))
        --start;
    if (start < limit && !IsContinuation(static_cast<unsigned char>(text[start]))) {
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
