// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/desktop_entry.h"

#include "fs/file_reader.h"
#include "text/utf8.h"

#include <cstdint>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

struct EntryKeys {
    std::optional<std::string> type, name, nameLanguage, nameCountry, icon, exec, tryExec, mimeType, onlyShowIn,
        notShowIn, hidden, noDisplay, terminal;
};

std::optional<std::string> *SlotOf(EntryKeys &keys, std::string_view key, std::string_view language)
{
    if (key == "Type")
        return &keys.type;
    if (key == "Name")
        return &keys.name;
    if (key == "Icon")
        return &keys.icon;
    if (key == "Exec")
        return &keys.exec;
    if (key == "TryExec")
        return &keys.tryExec;
    if (key == "MimeType")
        return &keys.mimeType;
    if (key == "OnlyShowIn")
        return &keys.onlyShowIn;
    if (key == "NotShowIn")
        return &keys.notShowIn;
    if (key == "Hidden")
        return &keys.hidden;
    if (key == "NoDisplay")
        return &keys.noDisplay;
    if (key == "Terminal")
        return &keys.terminal;
    if (!language.empty() && key.size() > 6 && key.substr(0, 5) == "Name[" && key.back() == ']') {
        const std::string_view locale = key.substr(5, key.size() - 6);
        if (locale == language)
            return &keys.nameCountry;
        const std::size_t underscore = language.find('_');
        if (underscore != std::string_view::npos && locale == language.substr(0, underscore))
            return &keys.nameLanguage;
    }
    return nullptr;
}

// The keys of the [Desktop Entry] group; the first of a repeated key counts.
EntryKeys ReadKeys(std::string_view content, std::string_view language)
{
    EntryKeys keys;
    ForEachDesktopKey(content, [&keys, language](std::string_view group, std::string_view key, std::string_view value) {
        if (group != "Desktop Entry")
            return;
        std::optional<std::string> *slot = SlotOf(keys, key, language);
        if (slot && !*slot)
            *slot = std::string(value);
    });
    return keys;
}

bool IsTrue(const std::optional<std::string> &value)
{
    return value && *value == "true";
}

bool IsExecutableFile(const std::string &path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && access(path.c_str(), X_OK) == 0;
}

} // namespace

bool IsDesktopFileText(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Sequence sequence = DecodeUtf8(text, pos);
        if (!sequence.valid || sequence.codePoint == 0)
            return false;
        pos += sequence.length;
    }
    return true;
}

std::string_view TrimDesktopLine(std::string_view line)
{
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

std::optional<std::string> ReadDesktopFileText(const std::string &path)
{
    FileReader reader;
    if (!reader.Open(path) || reader.Size() > static_cast<std::int64_t>(kMaxDesktopEntryBytes))
        return std::nullopt;
    // One byte more than allowed tells a file that grew past the limit.
    std::string bytes(kMaxDesktopEntryBytes + 1, '\0');
    const std::int64_t length = reader.Read(bytes.data(), bytes.size());
    if (length < 0 || static_cast<std::size_t>(length) > kMaxDesktopEntryBytes)
        return std::nullopt;
    bytes.resize(static_cast<std::size_t>(length));
    return bytes;
}

void ForEachDesktopKey(std::string_view content, const DesktopKeyVisitor &visit)
{
    std::string_view group;
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        const std::string_view line = TrimDesktopLine(content.substr(0, end));
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            group = line.back() == ']' ? line.substr(1, line.size() - 2) : std::string_view();
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!group.empty() && equals != std::string_view::npos)
            visit(group, TrimDesktopLine(line.substr(0, equals)), TrimDesktopLine(line.substr(equals + 1)));
    }
}

std::vector<std::string> SplitDesktopList(std::string_view value)
{
    std::vector<std::string> items;
    std::string item;
    for (std::size_t pos = 0; pos < value.size(); ++pos) {
        if (value[pos] == '\\' && pos + 1 < value.size()) {
            // An escape and the character it escapes stay together: in "\\;" the backslash
            // is escaped, and the ";" ends the item.
            if (value[pos + 1] == ';')
                item += ';';
            else
                item += value.substr(pos, 2);
            ++pos;
        } else if (value[pos] == ';') {
            if (!item.empty())
                items.push_back(UnescapeDesktopString(item));
            item.clear();
        } else {
            item += value[pos];
        }
    }
    if (!item.empty())
        items.push_back(UnescapeDesktopString(item));
    return items;
}

std::string UnescapeDesktopString(std::string_view value)
{
    std::string text;
    for (std::size_t pos = 0; pos < value.size(); ++pos) {
        if (value[pos] != '\\' || pos + 1 == value.size()) {
            text += value[pos];
            continue;
        }
        switch (value[pos + 1]) {
        case 's': text += ' '; break;
        case 'n': text += '\n'; break;
        case 't': text += '\t'; break;
        case 'r': text += '\r'; break;
        case '\\': text += '\\'; break;
        default: text += value.substr(pos, 2); break;
        }
        ++pos;
    }
    return text;
}

std::string EscapeDesktopListItem(std::string_view item)
{
    std::string value;
    for (const char c : EscapeDesktopString(item)) {
        if (c == ';')
            value += '\\';
        value += c;
    }
    return value;
}

std::string EscapeDesktopString(std::string_view text)
{
    std::string value;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        switch (text[pos]) {
        // The reader trims the line's blanks at both ends; escaped ones stay.
        case ' ': value += pos == 0 || pos + 1 == text.size() ? "\\s" : " "; break;
        case '\n': value += "\\n"; break;
        case '\t': value += "\\t"; break;
        case '\r': value += "\\r"; break;
        case '\\': value += "\\\\"; break;
        default: value += text[pos]; break;
        }
    }
    return value;
}

std::optional<DesktopEntry> ReadDesktopEntry(const std::string &path, std::string id, std::string_view language)
{
    const std::optional<std::string> content = ReadDesktopFileText(path);
    if (!content || !IsDesktopFileText(*content))
        return std::nullopt;
    const EntryKeys keys = ReadKeys(*content, language);
    if (!keys.type || *keys.type != "Application" || !keys.name || !keys.exec)
        return std::nullopt;
    DesktopEntry entry;
    entry.id = std::move(id);
    entry.path = path;
    entry.name = UnescapeDesktopString(keys.nameCountry ? *keys.nameCountry
                                       : keys.nameLanguage ? *keys.nameLanguage
                                                           : *keys.name);
    entry.exec = UnescapeDesktopString(*keys.exec);
    if (entry.name.empty() || entry.exec.empty())
        return std::nullopt;
    entry.icon = UnescapeDesktopString(keys.icon.value_or(std::string()));
    entry.tryExec = UnescapeDesktopString(keys.tryExec.value_or(std::string()));
    entry.mimeTypes = SplitDesktopList(keys.mimeType.value_or(std::string()));
    entry.onlyShowIn = SplitDesktopList(keys.onlyShowIn.value_or(std::string()));
    entry.notShowIn = SplitDesktopList(keys.notShowIn.value_or(std::string()));
    entry.hidden = IsTrue(keys.hidden);
    entry.noDisplay = IsTrue(keys.noDisplay);
    entry.terminal = IsTrue(keys.terminal);
    return entry;
}

bool DesktopEntryTryExecPasses(const DesktopEntry &entry)
{
    if (entry.tryExec.empty())
        return true;
    if (entry.tryExec.find('/') != std::string::npos)
        return entry.tryExec.front() == '/' && IsExecutableFile(entry.tryExec);
    const char *searchPath = std::getenv("PATH");
    std::string_view folders = searchPath ? searchPath : "";
    while (!folders.empty()) {
        const std::size_t colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        folders = colon == std::string_view::npos ? std::string_view() : folders.substr(colon + 1);
        // Only absolute folders: an empty or relative one would mean the current folder.
        if (!folder.empty() && folder.front() == '/' && IsExecutableFile(std::string(folder) + "/" + entry.tryExec))
            return true;
    }
    return false;
}

} // namespace sifter
