// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileops/transfer_commands.h"

#include "doc/sifter_doc.h"
#include "fileops/entry_change.h"
#include "fileops/file_commands.h"
#include "fileops/transfer_progress_dialog.h"
#include "framework/application.h"
#include "framework/local_text.h"
#include "framework/string_resources.h"
#include "fileops/result_rows.h"
#include "search/found_file.h"

#include <QStringList>

namespace sifter {
namespace {

// The document is busy while the transfer turns the event loop: closing the window or opening
// another file then waits for it (the window's close cancels it).
class FileOperationScope {
public:
    explicit FileOperationScope(CSifterDoc &document) : document_(document) { document_.BeginFileOperation(); }
    ~FileOperationScope() { document_.EndFileOperation(); }
    FileOperationScope(const FileOperationScope &) = delete;
    FileOperationScope &operator=(const FileOperationScope &) = delete;

private:
    CSifterDoc &document_;
};

QString FailuresMessage(const std::vector<TransferFailure> &failures, TransferKind kind)
{
    QStringList lines;
    for (const TransferFailure &failure : failures)
        lines.append(LoadResString(str::kTransferFailureLine)
                         .arg(FromLocalText(failure.path), FromLocalText(failure.reason)));
    return FormatResString(kind == TransferKind::kMove ? str::kMoveFailures : str::kCopyFailures,
                           lines.join(QLatin1Char('\n')));
}

// The usable selected rows' paths, in row order. A move takes an entry that is no longer what
// its row describes only after a question naming what is there now; a vanished one stays in
// the list, for the transfer to report.
std::vector<std::string> TransferSources(const ResultRows &list, Application &app, TransferKind kind)
{
    std::vector<RecordedEntry> entries;
    for (const FoundFile *record : SelectedRecordsForFileCommand(list, app))
        entries.push_back(RecordedEntryOf(*record));
    std::vector<std::string> sources;
    AnswerForAll changed;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const RecordedEntry &entry = entries[i];
        if (kind == TransferKind::kMove) {
            const EntryCheck check = CheckRecordedEntry(entry);
            if (check.change == EntryChange::kChanged &&
                !AskWarningYesNoOnce(app.Prompts(), changed,
                                     FormatResString(str::kAskMoveAnyway, EntryChangeText(entry, check.now)),
                                     i + 1 < entries.size()))
                continue;
        }
        sources.push_back(entry.path);
    }
    return sources;
}

} // namespace

TransferOutcome TransferWithDefaults(const std::vector<std::string> &sources, const std::string &folder,
                                     TransferKind kind, TransferSink &sink)
{
    return TransferEntries(sources, folder, kind, sink);
}

bool CopyOrMoveSelection(ResultRows &list, Application &app, const std::string &folder, TransferKind kind,
                         const FileTransfer &transfer, QWidget *owner)
{
    if (!transfer)
        return false;
    // Taken before the transfer turns the event loop.
    const std::vector<std::string> sources = TransferSources(list, app, kind);
    if (sources.empty())
        return false;
    const FileOperationScope busy(list.GetDocument());
    TransferOutcome outcome;
    {
        TransferProgressDialog progress(kind, FromLocalText(folder), app.Prompts(), owner);
        outcome = transfer(sources, folder, kind, progress);
    }
    if (!outcome.failures.empty())
        app.Prompts().ShowError(FailuresMessage(outcome.failures, kind));
    list.RemoveVanishedRows();
    return true;
}

} // namespace sifter
