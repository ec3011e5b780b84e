// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileops/delete_command.h"

#include "fileops/entry_change.h"
#include "fileops/file_commands.h"
#include "framework/application.h"
#include "framework/local_text.h"
#include "framework/string_resources.h"
#include "framework/user_prompts.h"
#include "fs/path.h"
#include "fileops/result_rows.h"
#include "search/found_file.h"
#include "transfer/file_removal.h"

#include <QStringList>

#include <cstring>
#include <set>

namespace sifter {
namespace {

// Folders named one by one in the question before erasing many; the rest are counted.
constexpr int kFoldersNamed = 10;

// Whether path lies below one of the folders (by text, at component boundaries).
bool LiesBelowAny(std::string path, const std::set<std::string> &folders)
{
    while (PathRemoveLastComponent(path)) {
        if (folders.count(path) != 0)
            return true;
    }
    return false;
}

// For good, each folder there now is named with its item count, since one press of Yes erases
// its whole tree; folders inside another selected folder are counted with it.
QString EraseManyQuestion(const std::vector<RecordedEntry> &entries)
{
    std::vector<std::pair<const RecordedEntry *, EntryData>> folders;
    std::set<std::string> folderPaths;
    for (const RecordedEntry &entry : entries) {
        EntryData now;
        if (ReadEntryData(entry.path, now) && IsFolderEntry(now)) {
            folders.emplace_back(&entry, now);
            folderPaths.insert(entry.path);
        }
    }
    QStringList named;
    int outer = 0;
    for (const auto &[entry, now] : folders) {
        if (LiesBelowAny(entry->path, folderPaths))
            continue;
        if (++outer <= kFoldersNamed)
            named.append(LoadResString(str::kEraseFolderLine)
                             .arg(FromLocalText(entry->name), DescribeEntryNow(entry->path, now)));
    }
    const QString count = QString::number(entries.size());
    if (named.isEmpty())
        return FormatResString(str::kAskEraseMany, count);
    if (outer > kFoldersNamed)
        named.append(QStringLiteral("…"));
    return LoadResString(str::kAskEraseManyWithFolders).arg(count, QString::number(outer), named.join(QLatin1Char('\n')));
}

QString DeleteQuestion(const std::vector<RecordedEntry> &entries, bool permanent)
{
    if (entries.size() > 1)
        return permanent ? EraseManyQuestion(entries) : FormatResString(str::kAskTrashMany, QString::number(entries.size()));
    const RecordedEntry &entry = entries.front();
    const QString name = FromLocalText(entry.name);
    EntryData now;
    if (permanent && ReadEntryData(entry.path, now) && IsFolderEntry(now))
        return LoadResString(str::kAskEraseFolder).arg(name, DescribeEntryNow(entry.path, now));
    return FormatResString(permanent ? str::kAskEraseOne : str::kAskTrashOne, name);
}

class Deletion {
public:
    Deletion(UserPrompts &prompts, bool permanent) : prompts_(prompts), permanent_(permanent) {}

    void Delete(const RecordedEntry &entry, bool moreToCome);
    const QStringList &Failures() const { return failures_; }

private:
    bool Ask(AnswerForAll &all, const QString &question, bool moreToCome)
    {
        return AskWarningYesNoOnce(prompts_, all, question, moreToCome);
    }
    void Fail(const std::string &path, const std::string &reason)
    {
        failures_.append(LoadResString(str::kEraseFailed).arg(FromLocalText(path), FromLocalText(reason)));
    }

    UserPrompts &prompts_;
    const bool permanent_;
    // A folder's tree is erased on its own answers, never on one given for files.
    AnswerForAll changedFiles_;
    AnswerForAll changedFolders_;
    AnswerForAll untrashableFiles_;
    AnswerForAll untrashableFolders_;
    QStringList failures_;
};

void Deletion::Delete(const RecordedEntry &entry, bool moreToCome)
{
    // Looked at again rather than as the question saw it: the user may answer long after it
    // was asked, and what is there when the answer comes is what gets deleted.
    const EntryCheck check = CheckRecordedEntry(entry);
    switch (check.change) {
    case EntryChange::kVanished:
        return;  // a selected folder above it took it along, or it went meanwhile: its row goes
    case EntryChange::kUnreadable:
        failures_.append(LoadResString(str::kEntryUnreadable)
                             .arg(FromLocalText(entry.path), FromLocalText(std::strerror(check.error))));
        return;
    case EntryChange::kChanged: {
        const QString question =
            FormatResString(permanent_ ? str::kAskEraseAnyway : str::kAskTrashAnyway, EntryChangeText(entry, check.now));
        if (!Ask(IsFolderEntry(check.now) ? changedFolders_ : changedFiles_, question, moreToCome))
            return;
        break;
    }
    case EntryChange::kSame: break;
    }
    std::string error;
    if (!permanent_) {
        if (MoveEntryToTrash(entry.path, error))
            return;
        const bool folder = IsFolderEntry(check.now);
        const QString path = FromLocalText(entry.path);
        const QString question =
            folder ? LoadResString(str::kAskEraseUntrashableFolder)
                         .arg(path, FromLocalText(error), DescribeEntryNow(entry.path, check.now))
                   : LoadResString(str::kAskEraseUntrashable).arg(path, FromLocalText(error));
        if (!Ask(folder ? untrashableFolders_ : untrashableFiles_, question, moreToCome))
            return;
        error.clear();
    }
    if (!RemoveEntryForGood(entry.path, error))
        Fail(entry.path, error);
}

} // namespace

void DeleteSelectedFiles(ResultRows &list, Application &app, bool permanent)
{
    // Copied first: the questions below turn the event loop, which may change the rows.
    std::vector<RecordedEntry> entries;
    for (const FoundFile *record : SelectedRecordsForFileCommand(list, app))
        entries.push_back(RecordedEntryOf(*record));
    if (entries.empty())
        return;
    UserPrompts &prompts = app.Prompts();
    const QString question = DeleteQuestion(entries, permanent);
    if (permanent ? !prompts.AskWarningYesNo(question) : !prompts.AskYesNo(question))
        return;
    Deletion deletion(prompts, permanent);
    for (std::size_t i = 0; i < entries.size(); ++i)
        deletion.Delete(entries[i], i + 1 < entries.size());
    if (!deletion.Failures().isEmpty())
        prompts.ShowError(deletion.Failures().join(QLatin1Char('\n')));
    list.RemoveVanishedRows();
}

} // namespace sifter
