// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decoding and encoding single UTF-8 characters: the one place that knows what
// well-formed UTF-8 is (no overlong forms, no surrogates, nothing past U+10FFFF).
#include <cstddef>
#include <string>
#include <string_view>

namespace sifter {

// One sequence at text[pos] (pos < text.size()): its code point and length, or, for a
// byte that starts no well-formed sequence, length 1 and valid false.
struct Utf8Sequence {
    char32_t codePoint = 0;
    std::size_t length = 1;
    bool valid = false;
};

constexpr bool IsUtf8Continuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

inline Utf8Sequence DecodeUtf8(std::string_view text, std::size_t pos)
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
        if (!IsUtf8Continuation(next))
            return {};
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    return {codePoint, length, true};
}

// Bytes that the code point takes in UTF-8.
constexpr std::size_t Utf8Length(char32_t codePoint)
{
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

// Appends the code point (at most U+10FFFF, not a surrogate) in UTF-8.
inline void AppendUtf8(std::string &out, char32_t codePoint)
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

// True when the whole text is well-formed UTF-8.
inline bool IsValidUtf8(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Sequence sequence = DecodeUtf8(text, pos);
        if (!sequence.valid)
            return false;
        pos += sequence.length;
    }
    return true;
}

} // namespace sifter
