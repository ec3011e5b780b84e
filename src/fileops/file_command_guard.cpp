// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileops/file_command_guard.h"

#include "framework/string_resources.h"
#include "fs/path.h"
#include "search/found_file.h"

#include <QStringList>

namespace sifter {

RecordFault FileNameFault(std::string_view name)
{
    if (name.empty())
        return RecordFault::kEmptyName;
    if (name.find(kPathSeparator) != std::string_view::npos)
        return RecordFault::kNameWithSeparator;
    if (name == "." || name == "..")
        return RecordFault::kDotName;
    return RecordFault::kNone;
}

namespace {

bool HasDotComponent(std::string_view folder)
{
    std::size_t start = 0;
    while (start <= folder.size()) {
        std::size_t end = folder.find(kPathSeparator, start);
        if (end == std::string_view::npos)
            end = folder.size();
        const std::string_view component = folder.substr(start, end - start);
        if (component == "." || component == "..")
            return true;
        start = end + 1;
    }
    return false;
}

// By text, at component boundaries: "/data/ab" is not below "/data/a".
bool IsOrLiesBelow(std::string_view folder, std::string_view root)
{
    if (root.empty() || folder.substr(0, root.size()) != root)
        return false;
    return folder.size() == root.size() || root.back() == kPathSeparator || folder[root.size()] == kPathSeparator;
}

} // namespace

RecordFault FileCommandFault(const FoundFile &record, const std::vector<std::string> &searchedFolders)
{
    const RecordFault nameFault = FileNameFault(record.Name());
    if (nameFault != RecordFault::kNone)
        return nameFault;
    const std::string_view folder = record.Folder();
    if (folder.empty() || folder.front() != kPathSeparator)
        return RecordFault::kRelativeFolder;
    if (HasDotComponent(folder))
        return RecordFault::kDotInFolder;
    for (const std::string &root : searchedFolders) {
        // A relative root would make any folder "below" it depend on the current folder.
        if (!root.empty() && root.front() == kPathSeparator && IsOrLiesBelow(folder, root))
            return RecordFault::kNone;
    }
    return RecordFault::kOutsideSearch;
}

std::vector<FoundFile *> RecordsFileCommandsMayUse(const std::vector<std::pair<int, FoundFile *>> &rows,
                                                   const std::vector<std::string> &searchedFolders,
                                                   std::vector<SkippedRow> &skipped)
{
    std::vector<FoundFile *> usable;
    for (const auto &[row, record] : rows) {
        if (!record)
            continue;
        const RecordFault fault = FileCommandFault(*record, searchedFolders);
        if (fault == RecordFault::kNone)
            usable.push_back(record);
        else
            skipped.push_back({row, record, fault});
    }
    return usable;
}

QString SkippedRowsMessage(const std::vector<SkippedRow> &skipped)
{
    if (skipped.empty())
        return {};
    QStringList lines;
    for (const SkippedRow &entry : skipped) {
        StringId id = str::kSkippedRelativeFolder;
        switch (entry.fault) {
        case RecordFault::kEmptyName: id = str::kSkippedEmptyName; break;
        case RecordFault::kNameWithSeparator: id = str::kSkippedNameWithSeparator; break;
        case RecordFault::kDotName: id = str::kSkippedDotName; break;
        case RecordFault::kDotInFolder: id = str::kSkippedDotInFolder; break;
        case RecordFault::kOutsideSearch: id = str::kSkippedOutsideSearch; break;
        case RecordFault::kRelativeFolder:
        case RecordFault::kNone: break;
        }
        const std::string_view name = entry.record ? entry.record->Name() : std::string_view();
        QString line = LoadResString(id).arg(entry.row + 1);
        if (line.contains(QLatin1String("%2")))
            line = line.arg(QString::fromLocal8Bit(name.data(), static_cast<qsizetype>(name.size())));
        lines.append(line);
    }
    return FormatResString(str::kRowsSkipped, lines.join(QLatin1Char('\n')));
}

} // namespace sifter
