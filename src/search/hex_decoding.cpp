// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/hex_decoding.h"

#include "text/code_page.h"

namespace sifter {
namespace {

constexpr char kBlank = ' ';
constexpr char kBlankByte = 0x20;

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool DecodeHexText(std::string_view text, std::string &out)
{
    // Upper-casing whole characters first lets a to f pass; any byte of a multi-byte
    // character is then neither a blank nor a digit, so it makes the text invalid.
    const std::string upper = UpperCase(text);
    std::string bytes;
    bytes.reserve(upper.size() / 2 + 1);
    for (std::size_t i = 0; i < upper.size();) {
        if (upper[i] == kBlank) {
            bytes.push_back(kBlankByte);
            ++i;
            continue;
        }
        if (i + 1 >= upper.size())
            return false;
        const int high = HexDigitValue(upper[i]);
        const int low = HexDigitValue(upper[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    out = std::move(bytes);
    return true;
}

bool DecodeHexWords(std::vector<std::string> &list)
{
    for (std::string &entry : list) {
        if (!DecodeHexText(entry, entry))
            return false;
    }
    return true;
}

bool DecodeHexPhrase(std::string &text)
{
    DecodeHexText(text, text); // an invalid phrase stays as it was
    return true;
}

} // namespace sifter
