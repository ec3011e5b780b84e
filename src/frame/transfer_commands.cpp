#include "frame/transfer_commands.h"

#include "doc/sifter_doc.h"
#include "framework/application.h"
#include "framework/local_text.h"
#include "framework/string_resources.h"
#include "results/selection_data.h"
#include "results/sifter_view.h"
#include "results/transfer_progress_dialog.h"

#include <QStringList>

#include <memory>

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
    if (!transfer)
        return false;
    // The source list is the selection's file-list block, as a paste elsewhere would get it;
    // taken before the transfer turns the event loop.
    const std::unique_ptr<SelectionDataSource> selection = list.BuildSelectionDataSource(SelectionTransfer::kCopy);
    if (!selection)
        return false;
    const std::vector<std::string> sources = selection->Paths();
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
