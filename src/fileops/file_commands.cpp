// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileops/file_commands.h"

#include "desktop/desktop_applications.h"
#include "desktop/file_mime_types.h"
#include "fileops/desktop_file_manager.h"
#include "fileops/file_command_guard.h"
#include "fileops/file_url.h"
#include "fileops/open_with.h"
#include "fileops/properties_dialog.h"
#include "framework/application.h"
#include "framework/string_resources.h"
#include "fs/file_attributes.h"
#include "fs/file_properties.h"
#include "fs/path.h"
#include "fileops/result_rows.h"
#include "search/found_file.h"

#include <QStringList>

#include <set>

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

// Opens each path through the application's opener; those not taken are named in one error
// (a box per row would stack up when no launcher exists at all).
void OpenPaths(Application &app, const std::vector<std::string> &paths)
{
    QStringList failed;
    for (const std::string &path : paths) {
        if (!app.OpenUrl(FileUrlOfPath(path)))
            failed.append(ShownPath(path));
    }
    if (!failed.isEmpty())
        app.Prompts().ShowError(FormatResString(str::kNoProgramForAddress, failed.join(QLatin1Char('\n'))));
}

} // namespace

std::vector<FoundFile *> SelectedRecordsForFileCommand(const ResultRows &list, Application &app)
{
    std::vector<SkippedRow> skipped;
    std::vector<FoundFile *> records = RecordsFileCommandsMayUse(list.SelectedRows(), list.SearchedFolders(), skipped);
    TellSkipped(app, skipped);
    return records;
}

FoundFile *FirstSelectedRecordForFileCommand(const ResultRows &list, Application &app)
{
    std::vector<std::pair<int, FoundFile *>> rows = list.SelectedRows();
    if (rows.empty())
        return nullptr;
    rows.resize(1);
    std::vector<SkippedRow> skipped;
    const std::vector<FoundFile *> records = RecordsFileCommandsMayUse(rows, list.SearchedFolders(), skipped);
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

void OpenSelectedFiles(const ResultRows &list, Application &app, const DesktopPortal &portal, QWidget *parent)
{
    std::vector<std::pair<std::string, bool>> files;
    for (const FoundFile *record : SelectedRecordsForFileCommand(list, app))
        files.emplace_back(FileCommandPath(*record), (record->attributes & kAttributeFolder) != 0);
    if (files.empty())
        return;
    // The desktop's opener says it started even when no program takes the type, and then
    // nothing happens: a type without an application goes to the chooser instead.
    for (const auto &[path, isFolder] : files) {
        if (HasApplicationForTypes(FileMimeTypes(path, isFolder)) && app.OpenUrl(FileUrlOfPath(path)))
            continue;
        OpenWithChosenProgram(app, portal, path, isFolder, parent);
    }
}

void RevealSelectedFiles(const ResultRows &list, Application &app, const DesktopFileManager &fileManager)
{
    const std::vector<FoundFile *> records = SelectedRecordsForFileCommand(list, app);
    if (records.empty())
        return;
    QStringList uris;
    for (const FoundFile *record : records)
        uris.append(QString::fromLatin1(FileUriOfPath(record->Path())));
    if (fileManager.ShowItems(uris))
        return;
    std::vector<std::string> folders;
    std::set<std::string> seen;
    for (const FoundFile *record : records) {
        std::string folder(record->Folder());
        if (seen.insert(folder).second)
            folders.push_back(std::move(folder));
    }
    OpenPaths(app, folders);
}

void ShowSelectedProperties(const ResultRows &list, Application &app, const DesktopFileManager &fileManager,
                            QWidget *parent)
{
    const FoundFile *record = FirstSelectedRecordForFileCommand(list, app);
    if (!record)
        return;
    const std::string path = FileCommandPath(*record);
    if (fileManager.ShowItemProperties({QString::fromLatin1(FileUriOfPath(path))}))
        return;
    FileProperties properties;
    if (!ReadFileProperties(path, properties)) {
        app.Prompts().ShowError(FormatResString(str::kPropertiesUnreadable, ShownPath(path)));
        return;
    }
    const std::string_view typeName = record->TypeName();
    auto *dialog = new PropertiesDialog(
        path, QString::fromLocal8Bit(typeName.data(), static_cast<qsizetype>(typeName.size())), properties, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

} // namespace sifter
