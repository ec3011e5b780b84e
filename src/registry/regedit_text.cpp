// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/regedit_text.h"

#include "text/little_endian.h"
#include "text/utf8.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

namespace sifter {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kDwordPrefix = "dword:";
constexpr std::string_view kHexPrefix = "hex";
constexpr std::size_t kDwordDigits = 8;
constexpr std::size_t kTypeDigits = 8;
// Hex lists wrap, as regedit writes them, before a line passes this many characters.
constexpr std::size_t kHexLineWidth = 78;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return !FoldedRegistryNameLess(a, b) && !FoldedRegistryNameLess(b, a);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// 1 to maxDigits hexadecimal digits and nothing else.
std::optional<std::uint32_t> ParseHexNumber(std::string_view text, std::size_t maxDigits)
{
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    std::uint32_t number = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return std::nullopt;
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    return number;
}

// "01,ff,0a" (blanks around items allowed, one trailing comma tolerated) as bytes.
std::optional<std::string> ParseHexList(std::string_view text)
{
    std::string bytes;
    text = Trim(text);
    if (!text.empty() && text.back() == ',')
        text.remove_suffix(1);
    if (Trim(text).empty())
        return bytes;
    for (;;) {
        const std::size_t comma = text.find(',');
        const auto byte = ParseHexNumber(Trim(text.substr(0, comma)), 2);
        if (!byte)
            return std::nullopt;
        bytes.push_back(static_cast<char>(*byte));
        if (comma == std::string_view::npos)
            return bytes;
        text.remove_prefix(comma + 1);
    }
}

// A double-quoted text with "\\" and "\"" escapes starting at text[0]; on success
// `rest` is what follows the closing quote.
std::optional<std::string> ParseQuoted(std::string_view text, std::string_view &rest)
{
    if (text.empty() || text.front() != '"')
        return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            rest = text.substr(i + 1);
            return out;
        }
        if (c == '\\') {
            if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"'))
                return std::nullopt;
            ++i;
        }
        out.push_back(text[i]);
    }
    return std::nullopt;
}

std::optional<RegistryValue> ParseData(std::string_view data)
{
    RegistryValue value;
    if (!data.empty() && data.front() == '"') {
        std::string_view rest;
        auto text = ParseQuoted(data, rest);
        if (!text || !Trim(rest).empty())
            return std::nullopt;
        value.type = RegistryType::String;
        value.data = std::move(*text);
        value.data.push_back('\0');
        return value;
    }
    if (StartsWithNoCase(data, kDwordPrefix)) {
        const auto number = ParseHexNumber(data.substr(kDwordPrefix.size()), kDwordDigits);
        if (!number)
            return std::nullopt;
        value.type = RegistryType::Dword;
        value.data.resize(sizeof(std::uint32_t));
        PutLittleEndian32(reinterpret_cast<std::uint8_t *>(value.data.data()), *number);
        return value;
    }
    if (!StartsWithNoCase(data, kHexPrefix))
        return std::nullopt;
    data.remove_prefix(kHexPrefix.size());
    value.type = RegistryType::Binary;
    if (!data.empty() && data.front() == '(') {
        const std::size_t close = data.find(')');
        if (close == std::string_view::npos)
            return std::nullopt;
        const auto type = ParseHexNumber(data.substr(1, close - 1), kTypeDigits);
        if (!type)
            return std::nullopt;
        value.type = static_cast<RegistryType>(*type);
        data.remove_prefix(close + 1);
    }
    if (data.empty() || data.front() != ':')
        return std::nullopt;
    auto bytes = ParseHexList(data.substr(1));
    if (!bytes)
        return std::nullopt;
    value.data = std::move(*bytes);
    return value;
}

// The name part of `"name"=data` or `@=data`; on success `data` is what follows "=".
std::optional<std::string> ParseValueName(std::string_view line, std::string_view &data)
{
    std::string name;
    std::string_view rest;
    if (!line.empty() && line.front() == '@') {
        rest = line.substr(1);
    } else {
        auto quoted = ParseQuoted(line, rest);
        if (!quoted)
            return std::nullopt;
        name = std::move(*quoted);
    }
    rest = Trim(rest);
    if (rest.empty() || rest.front() != '=')
        return std::nullopt;
    data = Trim(rest.substr(1));
    return name;
}

std::optional<RegistryValue> ParseValueLine(std::string_view line)
{
    std::string_view data;
    auto name = ParseValueName(line, data);
    if (!name)
        return std::nullopt;
    auto value = ParseData(data);
    if (value)
        value->name = std::move(*name);
    return value;
}

// True when the line's data is a hex list, which may go on over further lines.
bool HasHexData(std::string_view line)
{
    std::string_view data;
    return ParseValueName(line, data) && StartsWithNoCase(data, kHexPrefix);
}

bool IsHexListText(std::string_view text)
{
    for (char c : text) {
        if (HexDigit(c) < 0 && c != ',' && c != '\\' && !IsBlank(c))
            return false;
    }
    return true;
}

// The key named by a header's inside ("HKEY_CURRENT_USER\a\b"), created as needed;
// none when the header names another root or an invalid path.
RegistryNode *KeyForHeader(std::string_view inside, std::string_view rootName, RegistryNode &root)
{
    const std::size_t separator = inside.find('\\');
    if (!EqualNoCase(inside.substr(0, separator), rootName))
        return nullptr;
    if (separator == std::string_view::npos)
        return &root;
    std::vector<std::string_view> names;
    if (!SplitRegistryPath(inside.substr(separator + 1), names))
        return nullptr;
    RegistryNode *key = &root;
    for (std::string_view name : names) {
        RegistryNode *next = key->FindSubkey(name);
        if (!next) {
            next = &key->AddSubkey(name);
            next->SetNamed(false); // until a header of its own names it
        }
        key = next;
    }
    key->SetNamed(true);
    return key;
}

class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    // The next line without its line break (a CR before the LF is dropped too).
    bool Next(std::string_view &line)
    {
        if (position_ >= text_.size())
            return false;
        const std::size_t end = text_.find('\n', position_);
        line = text_.substr(position_, end == std::string_view::npos ? std::string_view::npos : end - position_);
        position_ = end == std::string_view::npos ? text_.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ++number_;
        return true;
    }
    // The next line without consuming it.
    bool Peek(std::string_view &line) const
    {
        LineReader copy = *this;
        return copy.Next(line);
    }
    std::size_t Number() const { return number_; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t number_ = 0;
};

void NoteLost(RegeditParseResult &result, std::size_t line, bool skipped)
{
    (skipped ? result.skippedLines : result.droppedLines)++;
    if (result.firstLostLine == 0)
        result.firstLostLine = line;
}

} // namespace

RegeditParseResult ParseRegeditText(std::string_view text, std::string_view rootName, RegistryNode &root)
{
    RegeditParseResult result;
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        text.remove_prefix(kUtf8Bom.size());
    LineReader reader(text);
    std::string_view line;
    while (reader.Next(line) && Trim(line).empty()) {
    }
    if (!EqualNoCase(Trim(line), kRegeditHeader))
        return result;
    result.recognised = true;

    RegistryNode *key = nullptr;
    while (reader.Next(line)) {
        const std::size_t number = reader.Number();
        line = Trim(line);
        if (line.empty())
            continue;
        if (line.front() == ';') {
            NoteLost(result, number, false);
            continue;
        }
        if (line.front() == '[') {
            // "[-key]" deletes a key when imported; a stored state has no use for it.
            const bool header = line.size() >= 2 && line.back() == ']' && line[1] != '-';
            key = header ? KeyForHeader(line.substr(1, line.size() - 2), rootName, root) : nullptr;
            if (!key)
                NoteLost(result, number, true);
            continue;
        }
        std::string joined(line);
        std::size_t lines = 1;
        const bool hexData = HasHexData(line);
        std::string_view next;
        while (hexData && !joined.empty() && joined.back() == '\\' && reader.Peek(next) && IsHexListText(Trim(next))) {
            reader.Next(next);
            joined.pop_back();
            joined += Trim(next);
            ++lines;
        }
        if (hexData && !joined.empty() && joined.back() == '\\')
            joined.pop_back(); // a continuation with nothing after it
        auto value = key ? ParseValueLine(joined) : std::nullopt;
        if (!value) {
            for (std::size_t i = 0; i < lines; ++i)
                NoteLost(result, number + i, true);
            continue;
        }
        if (key->FindValue(value->name))
            NoteLost(result, number, false);
        key->SetValue(value->name, value->type, std::move(value->data));
    }
    return result;
}

namespace {

bool IsWritableAsQuotedText(std::string_view data)
{
    if (data.empty() || data.back() != '\0')
        return false;
    data.remove_suffix(1);
    for (char c : data) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return false;
    }
    return IsValidUtf8(data);
}

void AppendQuoted(std::string &out, std::string_view text)
{
    out.push_back('"');
    for (char c : text) {
        if (c == '\\' || c == '"')
            out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
}

void AppendHexList(std::string &out, std::string line, std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (i > 0 && line.size() + 3 > kHexLineWidth) {
            out += line;
            out += "\\\n";
            line = "  ";
        }
        line.push_back(kDigits[byte >> 4]);
        line.push_back(kDigits[byte & 0xF]);
        if (i + 1 < bytes.size())
            line.push_back(',');
    }
    out += line;
}

void AppendValue(std::string &out, const RegistryValue &value)
{
    std::string line;
    if (value.name.empty())
        line = "@";
    else
        AppendQuoted(line, value.name);
    line.push_back('=');
    if (value.type == RegistryType::String && IsWritableAsQuotedText(value.data)) {
        AppendQuoted(line, std::string_view(value.data).substr(0, value.data.size() - 1));
        out += line;
    } else if (value.type == RegistryType::Dword && value.data.size() == 4) {
        const std::uint32_t number = GetLittleEndian32(reinterpret_cast<const std::uint8_t *>(value.data.data()));
        char digits[kDwordDigits + 1];
        std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(number));
        out += line;
        out += kDwordPrefix;
        out += digits;
    } else {
        line += kHexPrefix;
        if (value.type != RegistryType::Binary) {
            char type[kTypeDigits + 3];
            std::snprintf(type, sizeof type, "(%x)", static_cast<unsigned>(value.type));
            line += type;
        }
        line.push_back(':');
        AppendHexList(out, std::move(line), value.data);
    }
    out.push_back('\n');
}

// Appends the key and everything below it; path holds the key's path and is handed on
// to the subkeys, each appending its name and taking it off again, so that no path is
// built anew. False once out would pass maxBytes.
bool AppendKey(std::string &out, const RegistryNode &key, std::string &path, bool isRoot, std::size_t maxBytes)
{
    // A key the text it was read from only implied is implied again by its subkeys'
    // headers: writing a header for each of a deep path's keys would repeat the path
    // once for every key on it.
    const bool implied = !key.Named() && key.SubkeyCount() > 0;
    if (!key.Values().empty() || (!isRoot && !implied)) {
        out += "\n[";
        out += path;
        out += "]\n";
        for (const RegistryValue &value : key.Values())
            AppendValue(out, value);
        if (out.size() > maxBytes)
            return false;
    }
    bool fits = true;
    key.ForEachSubkey([&](const RegistryNode &child) {
        if (!fits)
            return;
        const std::size_t length = path.size();
        path += '\\';
        path += child.Name();
        fits = AppendKey(out, child, path, false, maxBytes);
        path.resize(length);
    });
    return fits;
}

} // namespace

bool WriteRegeditText(const RegistryNode &root, std::string_view rootName, std::size_t maxBytes, std::string &out)
{
    out.assign(kRegeditHeader);
    out.push_back('\n');
    std::string path(rootName);
    if (AppendKey(out, root, path, true, maxBytes) && out.size() <= maxBytes)
        return true;
    out.clear();
    out.shrink_to_fit();
    return false;
}

std::string WriteRegeditText(const RegistryNode &root, std::string_view rootName)
{
    std::string out;
    WriteRegeditText(root, rootName, std::string::npos, out);
    return out;
}

} // namespace sifter
