#include "platform/command_quoting.h"

#include "platform/utf8.h"

namespace sifter {
namespace {

// What makes an Exec argument need quotes; the escapes inside them.
constexpr std::string_view kExecReserved = " \t\n\r\"'\\><~|&;$*?#()`";
constexpr std::string_view kEscapedInExecQuotes = "\"`$\\";

// The general escapes of a desktop entry's string values.
std::string EscapeDesktopString(std::string_view value)
{
    std::string text;
    for (const char c : value) {
        switch (c) {
        case '\\': text += "\\\\"; break;
        case '\n': text += "\\n"; break;
        case '\t': text += "\\t"; break;
        case '\r': text += "\\r"; break;
        default: text += c; break;
        }
    }
    return text;
}

} // namespace

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

std::string QuoteDesktopExecArgument(std::string_view argument)
{
    const bool quoted = argument.empty() || argument.find_first_of(kExecReserved) != std::string_view::npos;
    std::string exec = quoted ? "\"" : "";
    for (const char c : argument) {
        if (quoted && kEscapedInExecQuotes.find(c) != std::string_view::npos)
            exec += '\\';
        exec += c;
        if (c == '%')
            exec += '%';
    }
    if (quoted)
        exec += '"';
    return EscapeDesktopString(exec);
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
