// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// NUL-terminated text fields of fixed size inside the persisted records.
#include <cstddef>
#include <string_view>

namespace sifter {

// Stores text in a field of size bytes: cut at a character boundary to at most size - 1
// bytes (CutToField), the rest of the field zero. False when the text had to be cut.
bool SetTextField(char *field, std::size_t size, std::string_view text);
// The field's text up to its first NUL, never reading past the field.
std::string_view TextField(const char *field, std::size_t size);

template <std::size_t N>
bool SetTextField(char (&field)[N], std::string_view text)
{
    return SetTextField(field, N, text);
}

template <std::size_t N>
std::string_view TextField(const char (&field)[N])
{
    return TextField(field, N);
}

} // namespace sifter
