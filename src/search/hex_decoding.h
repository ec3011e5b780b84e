// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Words typed as hexadecimal byte values: pairs of digits (either case), a blank standing
// for the byte 0x20. A lone digit, a digit followed by a blank, or any other character
// makes a text invalid.
#include <string>
#include <string_view>
#include <vector>

namespace sifter {

// Decodes one text into out; false (out untouched) when it is not valid hexadecimal text.
bool DecodeHexText(std::string_view text, std::string &out);
// Replaces each entry by its bytes, in order; false at the first invalid entry, which and
// the entries after it stay unchanged.
bool DecodeHexWords(std::vector<std::string> &list);
// Replaces the text by its bytes when valid; an invalid text stays as it was. Always true.
bool DecodeHexPhrase(std::string &text);

} // namespace sifter
