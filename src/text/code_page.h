// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts in the system code page (UTF-8, as Qt 6 takes it on Linux) and their
// conversions. Invalid UTF-8 bytes are kept as they are wherever a text is
// transformed, and stand for U+FFFD where a text is converted.
#include <cstddef>
#include <string>
#include <string_view>

namespace sifter {

inline constexpr std::size_t kMaxUtf16Units = 512;
inline constexpr std::size_t kMaxUtf8Bytes = 512;

// Converts to UTF-16 code units. False (out empty) when the text is empty or
// needs more than maxUnits units.
bool CodePageToUtf16(std::string_view text, std::u16string &out, std::size_t maxUnits = kMaxUtf16Units);
// The UTF-16 units as little-endian bytes, 2 per unit.
std::string Utf16LittleEndianBytes(std::u16string_view units);
// Converts UTF-16 units to UTF-8. False (out empty) when the result is empty or
// needs more than maxBytes bytes.
bool Utf16ToUtf8(std::u16string_view units, std::string &out, std::size_t maxBytes = kMaxUtf8Bytes);

// Upper-cases whole characters (Unicode simple case mapping, independent of the
// locale); ASCII takes a fast path. Invalid bytes are copied unchanged.
std::string UpperCase(std::string_view text);
// ASCII letters folded to upper case, other bytes unchanged.
std::string UpperCaseAscii(std::string_view text);
// True when the texts are equal once ASCII letters are folded to one case.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// The longest prefix of text that fits a NUL-terminated field of fieldSize bytes
// (at most fieldSize - 1 bytes) without splitting a UTF-8 character.
std::string_view CutToField(std::string_view text, std::size_t fieldSize);
// Number of characters (UTF-8 sequences; an invalid byte counts as one).
std::size_t CharacterCount(std::string_view text);

} // namespace sifter
