// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/file_transfer.h"

#include "fs/path.h"
#include "transfer/entry_copier.h"
#include "transfer/move_batch.h"
#include "transfer/rename_entry.h"
#include "transfer/transfer_leftovers.h"
#include "transfer/transfer_naming.h"
#include "transfer/transfer_tree.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <optional>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace sifter {
namespace {

// Removing a batch's sources can take a second on a busy disk: the caller hears in between.
constexpr auto kReportInterval = std::chrono::milliseconds(20);

enum class RenameStep { kDone, kCrossDevice };

bool SameEntry(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

class Transfer {
public:
    Transfer(TransferKind kind, TransferSink &sink, const TransferOptions &options)
        : kind_(kind), sink_(sink), options_(options)
    {
    }
    Transfer(const Transfer &) = delete;
    Transfer &operator=(const Transfer &) = delete;

    TransferOutcome Run(const std::vector<std::string> &sources, const std::string &folder);

private:
    bool TopEntry(const std::string &source, const std::string &folder, const struct stat &folderStatus);
    bool Entry(const std::string &source, const std::string &folder, std::string name, bool byRename);
    bool Children(const std::string &source, const std::string &target, bool byRename);
    bool CopyFolder(const std::string &source, const struct stat &status, const std::string &target, bool byRename);
    bool CopyNonFolder(const std::string &source, const struct stat &status, const std::string &folder,
                       const std::string &name, bool replace);
    RenameStep MoveByRename(const std::string &source, const struct stat &status, const std::string &target,
                            bool replace);
    ConflictAnswer Ask(const std::string &source, const std::string &target, bool targetIsFolder);
    // False when the caller stopped the transfer while the batch was finished.
    bool Flush()
    {
        return removals_.Flush([this] { return Tick(); },
                               [this](const std::string &path, std::string reason) { Fail(path, std::move(reason)); });
    }
    bool Report()
    {
        reported_ = std::chrono::steady_clock::now();
        return sink_.Progress(progress_);
    }
    // Reports when the last report is a while ago: for long work between entries.
    bool Tick() { return std::chrono::steady_clock::now() - reported_ < kReportInterval || Report(); }
    bool Cancel()
    {
        outcome_.cancelled = true;
        return false;
    }
    void Fail(const std::string &path, std::string reason) { outcome_.failures.push_back({path, std::move(reason)}); }
    void Fail(const std::string &path, CatalogueText message, int error)
    {
        Fail(path, ErrorMessage(std::move(message), error));
    }
    // An entry that is not transferred still moves the progress on.
    void Pass(const std::string &source, const struct stat &status)
    {
        const TreeSize size = MeasureTree(source, status);
        progress_.filesDone += size.files;
        progress_.bytesDone += size.bytes;
    }

    const TransferKind kind_;
    TransferSink &sink_;
    const TransferOptions options_;
    TransferOutcome outcome_;
    TransferProgress progress_;
    EntryCopier copier_;
    unsigned markerCounter_ = 0;  // numbers the marker names of folders filled
    std::optional<ConflictAnswer> answerForAll_;
    std::chrono::steady_clock::time_point reported_ = std::chrono::steady_clock::now();
    // A move's sources waiting for their copies to be synced, children before their folder.
    MoveBatch removals_;
};

TransferOutcome Transfer::Run(const std::vector<std::string> &sources, const std::string &folder)
{
    struct stat folderStatus {};
    const int error = stat(folder.c_str(), &folderStatus) == 0 ? (S_ISDIR(folderStatus.st_mode) ? 0 : ENOTDIR) : errno;
    if (error != 0) {
        CatalogueText message = kind_ == TransferKind::kMove ? CatalogueText("Transfer", "could not move into %1: %2")
                                                             : CatalogueText("Transfer", "could not copy into %1: %2");
        const std::string reason = ErrorMessage(message.Arg(folder), error);
        for (const std::string &source : sources)
            Fail(source, reason);
        return std::move(outcome_);
    }
    // Counting a big tree takes a while too: the caller hears from it, and may stop it.
    bool goOn = Report();
    for (std::size_t i = 0; i < sources.size() && goOn; ++i) {
        struct stat status {};
        TreeSize size;
        progress_.current = sources[i];
        if (lstat(sources[i].c_str(), &status) == 0)
            goOn = MeasureTree(sources[i], status, size, [this] { return Tick(); });
        progress_.filesTotal += size.files;
        progress_.bytesTotal += size.bytes;
    }
    if (!goOn) {
        Cancel();
        return std::move(outcome_);
    }
    FolderFinish finish;
    finish.Tidy(folder);
    for (const std::string &source : sources) {
        if (!TopEntry(source, folder, folderStatus))
            break;
    }
    finish.Finish();
    if (!Flush())
        Cancel();
    progress_.current.clear();
    // The last word for the caller's display; there is nothing left to cancel.
    Report();
    return std::move(outcome_);
}

bool Transfer::TopEntry(const std::string &source, const std::string &folder, const struct stat &folderStatus)
{
    std::string path = source;
    while (PathRemoveTrailingSeparator(path)) {
    }
    const std::string name = PathLastComponent(path);
    if (name.empty() || name == "/" || name == "." || name == "..") {
        CatalogueText message = kind_ == TransferKind::kMove
                                    ? CatalogueText("Transfer", "could not move \"%1\": it does not name one entry")
                                    : CatalogueText("Transfer", "could not copy \"%1\": it does not name one entry");
        Fail(source, message.Arg(source).Text());
        return true;
    }
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0) {
        Fail(source, CatalogueText("Transfer", "could not read %1: %2").Arg(source), errno);
        return true;
    }
    if (S_ISDIR(status.st_mode) && FolderIsWithin(folder, status)) {
        CatalogueText message = kind_ == TransferKind::kMove
                                    ? CatalogueText("Transfer", "could not move the folder %1 into itself")
                                    : CatalogueText("Transfer", "could not copy the folder %1 into itself");
        Fail(source, message.Arg(path).Text());
        Pass(path, status);
        return true;
    }
    struct stat parent {};
    if (kind_ == TransferKind::kMove && stat(PathContainingFolder(path).c_str(), &parent) == 0 &&
        SameEntry(parent, folderStatus)) {
        Pass(path, status);  // it is where it should go already
        return true;
    }
    const bool byRename = kind_ == TransferKind::kMove && !options_.forceCopy && status.st_dev == folderStatus.st_dev;
    return Entry(path, folder, name, byRename);
}

ConflictAnswer Transfer::Ask(const std::string &source, const std::string &target, bool targetIsFolder)
{
    if (answerForAll_)
        return *answerForAll_;
    bool applyToAll = false;
    const ConflictAnswer answer = sink_.AskConflict(source, target, targetIsFolder, applyToAll);
    if (applyToAll)
        answerForAll_ = answer;
    return answer;
}

// False when the transfer stops.
bool Transfer::Entry(const std::string &source, const std::string &folder, std::string name, bool byRename)
{
    struct stat status {};
    if (lstat(source.c_str(), &status) != 0) {
        Fail(source, CatalogueText("Transfer", "could not read %1: %2").Arg(source), errno);
        return true;
    }
    progress_.current = source;
    if (!Report())
        return Cancel();
    std::string target = PathAppend(folder, name);
    bool replace = false;
    struct stat existing {};
    if (lstat(target.c_str(), &existing) == 0) {
        // A copy onto itself can only be a second one beside it: replacing would destroy it.
        const ConflictAnswer answer = SameEntry(existing, status)
                                          ? ConflictAnswer::kRename
                                          : Ask(source, target, S_ISDIR(existing.st_mode));
        switch (answer) {
        case ConflictAnswer::kCancel:
            return Cancel();
        case ConflictAnswer::kSkip:
            Pass(source, status);
            return true;
        case ConflictAnswer::kRename:
            name = FreeEntryName(folder, name, S_ISDIR(status.st_mode));
            if (name.empty()) {
                Fail(source,
                     CatalogueText("Transfer", "could not find a free name for %1 in %2").Arg(target).Arg(folder).Text());
                Pass(source, status);
                return true;
            }
            target = PathAppend(folder, name);
            break;
        case ConflictAnswer::kReplace:
            if (S_ISDIR(status.st_mode) && S_ISDIR(existing.st_mode)) {
                FolderFinish finish;
                finish.Tidy(target);
                const bool goOn = Children(source, target, byRename);
                finish.Finish();
                if (kind_ == TransferKind::kMove)
                    removals_.AddFolder(source);
                return goOn;
            }
            // Never a folder's whole tree deleted to make room, nor a folder dropped for a file.
            if (S_ISDIR(existing.st_mode) || S_ISDIR(status.st_mode)) {
                CatalogueText message =
                    S_ISDIR(existing.st_mode)
                        ? CatalogueText("Transfer", "could not replace the folder %1 with a file: both are kept")
                        : CatalogueText("Transfer", "could not replace the file %1 with a folder: both are kept");
                Fail(source, message.Arg(target).Text());
                Pass(source, status);
                return true;
            }
            replace = true;
            break;
        }
    } else if (errno != ENOENT) {
        Fail(source, CatalogueText("Transfer", "could not examine %1: %2").Arg(target), errno);
        Pass(source, status);
        return true;
    }
    if (byRename) {
        if (MoveByRename(source, status, target, replace) == RenameStep::kDone)
            return true;
        byRename = false;  // another file system below the same folder (a mount): copy it
    }
    if (S_ISDIR(status.st_mode))
        return CopyFolder(source, status, target, byRename);
    return CopyNonFolder(source, status, folder, name, replace);
}

RenameStep Transfer::MoveByRename(const std::string &source, const struct stat &status, const std::string &target,
                                  bool replace)
{
    int error = 0;
    if (replace) {
        error = rename(source.c_str(), target.c_str()) == 0 ? 0 : errno;
    } else {
        // A folder cannot be linked, so where RENAME_NOREPLACE is missing it takes a rename to a
        // name seen free: the target was just seen absent, and at worst an empty folder made in
        // between is replaced.
        const NoReplaceFallback fallback =
            S_ISDIR(status.st_mode) ? NoReplaceFallback::kCheckThenRename : NoReplaceFallback::kLink;
        error = RenameWithoutReplace(source, target, fallback);
    }
    if (error == EXDEV)
        return RenameStep::kCrossDevice;
    if (error != 0)
        Fail(source, CatalogueText("Transfer", "could not move %1 to %2: %3").Arg(source).Arg(target), error);
    Pass(error == 0 ? target : source, status);
    return RenameStep::kDone;
}

bool Transfer::Children(const std::string &source, const std::string &target, bool byRename)
{
    std::vector<std::string> names;
    if (!ListFolder(source, names)) {
        Fail(source, CatalogueText("Transfer", "could not read the folder %1: %2").Arg(source), errno);
        return true;
    }
    for (const std::string &name : names) {
        if (!Entry(PathAppend(source, name), target, name, byRename))
            return false;
    }
    return true;
}

bool Transfer::CopyFolder(const std::string &source, const struct stat &status, const std::string &target,
                          bool byRename)
{
    FolderFinish finish;
    if (!finish.Create(target, status.st_mode, markerCounter_)) {
        Fail(source, CatalogueText("Transfer", "could not create the folder %1: %2").Arg(target), errno);
        Pass(source, status);
        return true;
    }
    const bool goOn = Children(source, target, byRename);
    finish.Finish();
    // Last, since filling the folder changed them. As for files: the content is worth more
    // than the folder's times.
    const timespec times[2] = {status.st_atim, status.st_mtim};
    if (utimensat(AT_FDCWD, target.c_str(), times, 0) != 0) {
    }
    if (kind_ == TransferKind::kMove)
        removals_.AddFolder(source);
    return goOn;
}

bool Transfer::CopyNonFolder(const std::string &source, const struct stat &status, const std::string &folder,
                             const std::string &name, bool replace)
{
    const std::uint64_t bytesBefore = progress_.bytesDone;
    const auto onChunk = [&](std::uint64_t bytes) {
        progress_.bytesDone = bytesBefore + bytes;
        return Report();
    };
    std::string error;
    CopiedEntry copied;
    switch (copier_.Copy(source, status, folder, name, replace, onChunk, error, copied)) {
    case CopyResult::kCopied: {
        const std::uint64_t bytes = S_ISREG(status.st_mode) ? static_cast<std::uint64_t>(status.st_size) : 0;
        progress_.filesDone += 1;
        progress_.bytesDone = bytesBefore + bytes;
        if (kind_ == TransferKind::kMove && removals_.AddFile(source, copied.source, folder, copied.device, bytes))
            return Flush() || Cancel();
        return true;
    }
    case CopyResult::kExists:
        Fail(source, CatalogueText("Transfer", "could not create %1: an entry of that name appeared meanwhile")
                         .Arg(PathAppend(folder, name))
                         .Text());
        break;
    case CopyResult::kCancelled:
        progress_.bytesDone = bytesBefore;
        return Cancel();
    case CopyResult::kFailed:
        Fail(source, error);
        break;
    }
    progress_.bytesDone = bytesBefore;
    Pass(source, status);
    return true;
}

} // namespace

TransferOutcome TransferEntries(const std::vector<std::string> &sources, const std::string &folder,
                                TransferKind kind, TransferSink &sink, const TransferOptions &options)
{
    Transfer transfer(kind, sink, options);
    return transfer.Run(sources, folder);
}

} // namespace sifter
