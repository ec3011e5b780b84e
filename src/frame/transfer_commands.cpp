#include "frame/transfer_commands.h"

#include "doc/sifter_doc.h"
#include "frame/file_commands.h"
#include "framework/application.h"
#include "framework/local_text.h"
#include "framework/string_resources.h"
#include "results/sifter_view.h"
#include "results/transfer_progress_dialog.h"
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

} // namespace

TransferOutcome TransferWithDefaults(const std::vector<std::string> &sources, const std::string &folder,
                                     TransferKind kind, TransferSink &sink)
{
    return TransferEntries(sources, folder, kind, sink);
}

bool CopyOrMoveSelection(CSifterView &list, Application &app, const std::string &folder, TransferKind kind,
                         const FileTransfer &transfer, QWidget *owner)
{
    const std::vector<FoundFile *> records = SelectedRecordsForFileCommand(list, app);
    if (records.empty() || !transfer)
        return false;
    // The paths first: the transfer turns the event loop.
    std::vector<std::string> sources;
    sources.reserve(records.size());
    for (const FoundFile *record : records)
        sources.push_back(record->Path());
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
