// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/command_quoting.h"

#include "text/utf8.h"

namespace sifter {

std::string QuoteShellWord(std::string_view word)
{
    std::string quoted = "'";
    for (const char c : word) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    quoted += '\'';
    return quoted;
}

bool IsWritableText(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Sequence sequence = DecodeUtf8(text, pos);
        if (!sequence.valid)
            return false;
        const char32_t c = sequence.codePoint;
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F)
            return false;
        pos += sequence.length;
    }
    return true;
}

std::string EscapeXmlText(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '\r': escaped += "&#13;"; break;
        default: escaped += c; break;
        }
    }
    return escaped;
}

} // namespace sifter
