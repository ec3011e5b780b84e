// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/mime_apps_list.h"

#include "desktop/desktop_entry.h"

#include <algorithm>
#include <optional>

namespace sifter {
namespace {

// The file as lines without their "\n", so that each can be replaced or removed alone.
struct ListLines {
    std::vector<std::string> lines;
    bool endsWithNewline = false;

    explicit ListLines(std::string_view content)
    {
        endsWithNewline = !content.empty() && content.back() == '\n';
        if (endsWithNewline)
            content.remove_suffix(1);
        if (content.empty() && !endsWithNewline)
            return;
        for (;;) {
            const std::size_t end = content.find('\n');
            lines.emplace_back(content.substr(0, end));
            if (end == std::string_view::npos)
                break;
            content.remove_prefix(end + 1);
        }
    }

    std::string Joined() const
    {
        std::string content;
        for (std::size_t index = 0; index < lines.size(); ++index) {
            if (index > 0)
                content += '\n';
            content += lines[index];
        }
        if (endsWithNewline && !lines.empty())
            content += '\n';
        return content;
    }
};

// Where type's lines of group are, and where a new one goes.
struct TypeLines {
    std::vector<std::size_t> indexes;
    std::optional<std::size_t> insertAt;  // after the last key of the group's first copy
};

TypeLines FindTypeLines(const ListLines &list, std::string_view group, std::string_view type)
{
    TypeLines found;
    bool inGroup = false;
    bool firstCopy = false;
    for (std::size_t index = 0; index < list.lines.size(); ++index) {
        const std::string_view line = TrimDesktopLine(list.lines[index]);
        if (!line.empty() && line.front() == '[' && line.back() == ']') {
            inGroup = line.substr(1, line.size() - 2) == group;
            firstCopy = inGroup && !found.insertAt;
            if (firstCopy)
                found.insertAt = index + 1;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inGroup || line.empty() || line.front() == '#' || equals == std::string_view::npos)
            continue;
        if (firstCopy)
            found.insertAt = index + 1;
        if (TrimDesktopLine(line.substr(0, equals)) == type)
            found.indexes.push_back(index);
    }
    return found;
}

std::vector<std::string> IdsOfLine(std::string_view line)
{
    line = TrimDesktopLine(line);
    return SplitDesktopList(TrimDesktopLine(line.substr(line.find('=') + 1)));
}

// A type's line naming ids; a line that ended in "\r" keeps it.
std::string TypeLine(std::string_view type, const std::vector<std::string> &ids, std::string_view replaced)
{
    std::string line(type);
    line += '=';
    for (const std::string &id : ids) {
        // As read: an id that needs escapes (which no real one does) reads back the same.
        line += EscapeDesktopListItem(id);
        line += ';';
    }
    if (!replaced.empty() && replaced.back() == '\r')
        line += '\r';
    return line;
}

void AddTypeLine(ListLines &list, const TypeLines &found, std::string_view group, std::string line)
{
    if (found.insertAt) {
        list.lines.insert(list.lines.begin() + static_cast<std::ptrdiff_t>(*found.insertAt), std::move(line));
        if (*found.insertAt + 1 == list.lines.size())
            list.endsWithNewline = true;
        return;
    }
    if (!list.lines.empty() && !TrimDesktopLine(list.lines.back()).empty())
        list.lines.emplace_back();
    list.lines.push_back("[" + std::string(group) + "]");
    list.lines.push_back(std::move(line));
    list.endsWithNewline = true;
}

bool Lists(const std::vector<std::string> &ids, std::string_view id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

} // namespace

std::vector<std::string> MimeAppsListIds(std::string_view content, std::string_view group, std::string_view type)
{
    const ListLines list(content);
    std::vector<std::string> ids;
    for (std::size_t index : FindTypeLines(list, group, type).indexes) {
        for (std::string &id : IdsOfLine(list.lines[index]))
            ids.push_back(std::move(id));
    }
    return ids;
}

std::string WithMimeAppsListIdAlone(std::string_view content, std::string_view group, std::string_view type,
                                    std::string_view id)
{
    ListLines list(content);
    const TypeLines found = FindTypeLines(list, group, type);
    const std::vector<std::string> alone{std::string(id)};
    if (found.indexes.empty())
        AddTypeLine(list, found, group, TypeLine(type, alone, {}));
    for (std::size_t index : found.indexes) {
        if (IdsOfLine(list.lines[index]) != alone)
            list.lines[index] = TypeLine(type, alone, list.lines[index]);
    }
    return list.Joined();
}

std::string WithMimeAppsListIdFirst(std::string_view content, std::string_view group, std::string_view type,
                                    std::string_view id)
{
    ListLines list(content);
    const TypeLines found = FindTypeLines(list, group, type);
    if (found.indexes.empty()) {
        AddTypeLine(list, found, group, TypeLine(type, {std::string(id)}, {}));
        return list.Joined();
    }
    for (std::size_t index : found.indexes) {
        if (Lists(IdsOfLine(list.lines[index]), id))
            return std::string(content);
    }
    std::string &first = list.lines[found.indexes.front()];
    std::vector<std::string> ids = IdsOfLine(first);
    ids.insert(ids.begin(), std::string(id));
    first = TypeLine(type, ids, first);
    return list.Joined();
}

std::string WithoutMimeAppsListId(std::string_view content, std::string_view group, std::string_view type,
                                  std::string_view id)
{
    ListLines list(content);
    const TypeLines found = FindTypeLines(list, group, type);
    // From the last line back, so that the indexes still to come stay right.
    for (auto index = found.indexes.rbegin(); index != found.indexes.rend(); ++index) {
        std::vector<std::string> ids = IdsOfLine(list.lines[*index]);
        if (!Lists(ids, id))
            continue;
        ids.erase(std::remove(ids.begin(), ids.end(), id), ids.end());
        if (!ids.empty()) {
            list.lines[*index] = TypeLine(type, ids, list.lines[*index]);
            continue;
        }
        // The line before a removed last one keeps its own "\n".
        if (*index + 1 == list.lines.size())
            list.endsWithNewline = true;
        list.lines.erase(list.lines.begin() + static_cast<std::ptrdiff_t>(*index));
    }
    return list.Joined();
}

} // namespace sifter
