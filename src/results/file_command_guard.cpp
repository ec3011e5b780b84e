#include "results/file_command_guard.h"

#include "framework/string_resources.h"
#include "platform/path.h"
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

RecordFault FileCommandFault(const FoundFile &record)
{
    const RecordFault nameFault = FileNameFault(record.Name());
    if (nameFault != RecordFault::kNone)
        return nameFault;
    if (record.Folder().empty() || record.Folder().front() != kPathSeparator)
        return RecordFault::kRelativeFolder;
    return RecordFault::kNone;
}

std::vector<FoundFile *> RecordsFileCommandsMayUse(const std::vector<std::pair<int, FoundFile *>> &rows,
                                                   std::vector<SkippedRow> &skipped)
{
    std::vector<FoundFile *> usable;
    for (const auto &[row, record] : rows) {
        if (!record)
            continue;
        const RecordFault fault = FileCommandFault(*record);
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
