#include "frame/file_commands.h"

#include "framework/application.h"
#include "framework/string_resources.h"
#include "platform/file_attributes.h"
#include "results/file_command_guard.h"
#include "results/file_url.h"
#include "results/sifter_view.h"
#include "search/found_file.h"

#include <QStringList>

namespace sifter {
namespace {

void TellSkipped(Application &app, const std::vector<SkippedRow> &skipped)
{
    if (!skipped.empty())
        app.Prompts().ShowError(SkippedRowsMessage(skipped));
}

QString ShownPath(const std::string &path)
{
    return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
}

} // namespace

std::vector<FoundFile *> SelectedRecordsForFileCommand(const CSifterView &list, Application &app)
{
    std::vector<SkippedRow> skipped;
    std::vector<FoundFile *> records = RecordsFileCommandsMayUse(list.SelectedRows(), skipped);
    TellSkipped(app, skipped);
    return records;
}

FoundFile *FirstSelectedRecordForFileCommand(const CSifterView &list, Application &app)
{
    std::vector<std::pair<int, FoundFile *>> rows = list.SelectedRows();
    if (rows.empty())
        return nullptr;
    rows.resize(1);
    std::vector<SkippedRow> skipped;
    const std::vector<FoundFile *> records = RecordsFileCommandsMayUse(rows, skipped);
    TellSkipped(app, skipped);
    return records.empty() ? nullptr : records.front();
}

std::string FileCommandPath(const FoundFile &record)
{
    std::string path = record.Path();
    if ((record.attributes & kAttributeFolder) != 0 && path.back() != '/')
        path += '/';
    return path;
}

void OpenSelectedFiles(const CSifterView &list, Application &app)
{
    QStringList failed;
    for (const FoundFile *record : SelectedRecordsForFileCommand(list, app)) {
        const std::string path = FileCommandPath(*record);
        if (!app.OpenUrl(FileUrlOfPath(path)))
            failed.append(ShownPath(path));
    }
    // One message for all: a box per row would stack up when no launcher exists at all.
    if (!failed.isEmpty())
        app.Prompts().ShowError(FormatResString(str::kNoProgramForAddress, failed.join(QLatin1Char('\n'))));
}

} // namespace sifter
