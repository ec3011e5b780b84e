// A plain TransferEntries on std::filesystem: whole entries are copied, a move renames where
// it can and otherwise copies, then removes the source only once its copy is complete; a
// replaced entry is set aside until its replacement is in place.
#include "platform/file_transfer.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>

namespace sifter {
namespace {

namespace fs = std::filesystem;

struct Run {
    TransferKind kind;
    TransferSink &sink;
    TransferOptions options;
    TransferProgress progress;
    TransferOutcome outcome;
    std::optional<ConflictAnswer> answerForAll;
    bool stopped = false;
};

void Fail(Run &run, const fs::path &path, const std::string &reason)
{
    run.outcome.failures.push_back({path.string(), reason});
}

bool Report(Run &run, const fs::path &current)
{
    run.progress.current = current.string();
    if (!run.stopped && !run.sink.Progress(run.progress)) {
        run.stopped = true;
        run.outcome.cancelled = true;
    }
    return !run.stopped;
}

bool Exists(const fs::path &path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

bool IsRealFolder(const fs::path &path)
{
    std::error_code error;
    return fs::is_directory(fs::symlink_status(path, error));
}

// Files (anything but folders) and bytes of regular files in the entry's tree.
void Measure(const fs::path &path, std::uint64_t &files, std::uint64_t &bytes)
{
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (error)
        return;
    if (fs::is_directory(status)) {
        for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error))
            Measure(it->path(), files, bytes);
        return;
    }
    ++files;
    if (fs::is_regular_file(status))
        bytes += fs::file_size(path, error);
}

// "name (n).ext" in the target's folder, the first that is free.
fs::path FreeName(const fs::path &target)
{
    const bool folder = IsRealFolder(target);
    const std::string stem = folder ? target.filename().string() : target.stem().string();
    const std::string extension = folder ? std::string() : target.extension().string();
    for (unsigned number = 1;; ++number) {
        fs::path candidate = target.parent_path() / (stem + " (" + std::to_string(number) + ")" + extension);
        if (!Exists(candidate))
            return candidate;
    }
}

// Copies the entry (a folder with its tree, a link as a link) to target, which does not exist.
// False when anything in it failed or the run stopped.
bool CopyEntry(Run &run, const fs::path &source, const fs::path &target)
{
    if (!Report(run, source))
        return false;
    std::error_code error;
    const fs::file_status status = fs::symlink_status(source, error);
    if (error) {
        Fail(run, source, error.message());
        return false;
    }
    if (fs::is_directory(status)) {
        if (!fs::create_directory(target, source, error)) {
            Fail(run, source, error ? error.message() : std::string("the destination exists"));
            return false;
        }
        bool complete = true;
        for (fs::directory_iterator it(source, error), end; !error && it != end && !run.stopped; it.increment(error))
            complete = CopyEntry(run, it->path(), target / it->path().filename()) && complete;
        if (error) {
            Fail(run, source, error.message());
            complete = false;
        }
        std::error_code timeError;  // a folder whose time cannot be set is still complete
        fs::last_write_time(target, fs::last_write_time(source, timeError), timeError);
        return complete && !run.stopped;
    }
    if (fs::is_symlink(status)) {
        fs::copy_symlink(source, target, error);
    } else if (fs::is_regular_file(status)) {
        if (fs::copy_file(source, target, fs::copy_options::none, error)) {
            std::error_code timeError;  // the copy is whole without its time
            fs::last_write_time(target, fs::last_write_time(source, timeError), timeError);
            run.progress.bytesDone += fs::file_size(target, timeError);
        }
    } else {
        Fail(run, source, "not a file, folder or link");
        return false;
    }
    ++run.progress.filesDone;
    if (error) {
        Fail(run, source, error.message());
        return false;
    }
    return true;
}

// Copies or moves the entry to target, which does not exist. A move that fails or stops
// leaves the source whole and removes what was copied.
bool Place(Run &run, const fs::path &source, const fs::path &target)
{
    std::error_code error;
    if (run.kind == TransferKind::kMove && !run.options.forceCopy) {
        if (!Report(run, source))
            return false;
        fs::rename(source, target, error);
        if (!error) {
            Measure(target, run.progress.filesDone, run.progress.bytesDone);
            return true;
        }
        if (error.value() != EXDEV) {
            Fail(run, source, error.message());
            return false;
        }
    }
    const bool complete = CopyEntry(run, source, target);
    if (!complete && (run.kind == TransferKind::kMove || run.stopped)) {
        fs::remove_all(target, error);  // the source is whole; nothing the user had is lost
        return false;
    }
    if (complete && run.kind == TransferKind::kMove) {
        fs::remove_all(source, error);
        if (error)
            Fail(run, source, error.message());
    }
    return complete;
}

void TransferInto(Run &run, const fs::path &source, const fs::path &folder)
{
    fs::path target = folder / source.filename();
    if (!Exists(target)) {
        Place(run, source, target);
        return;
    }
    std::error_code error;
    if (fs::equivalent(source, target, error)) {
        Fail(run, source, "it is already in that folder");
        return;
    }
    bool applyToAll = false;
    const bool targetIsFolder = IsRealFolder(target);
    const ConflictAnswer answer =
        run.answerForAll ? *run.answerForAll
                         : run.sink.AskConflict(source.string(), target.string(), targetIsFolder, applyToAll);
    if (applyToAll)
        run.answerForAll = answer;
    switch (answer) {
    case ConflictAnswer::kCancel:
        run.stopped = true;
        run.outcome.cancelled = true;
        return;
    case ConflictAnswer::kSkip:
        return;
    case ConflictAnswer::kRename:
        Place(run, source, FreeName(target));
        return;
    case ConflictAnswer::kReplace:
        break;
    }
    if (targetIsFolder && IsRealFolder(source)) {
        for (fs::directory_iterator it(source, error), end; !error && it != end && !run.stopped; it.increment(error))
            TransferInto(run, it->path(), target);
        if (error)
            Fail(run, source, error.message());
        else if (run.kind == TransferKind::kMove)
            fs::remove(source, error);  // only when the merge emptied it
        return;
    }
    const fs::path aside = FreeName(folder / ("." + target.filename().string() + ".replaced"));
    fs::rename(target, aside, error);
    if (error) {
        Fail(run, source, error.message());
        return;
    }
    if (Place(run, source, target))
        fs::remove_all(aside, error);
    else
        fs::rename(aside, target, error);
}

} // namespace

TransferOutcome TransferEntries(const std::vector<std::string> &sources, const std::string &folder,
                                TransferKind kind, TransferSink &sink, const TransferOptions &options)
{
    Run run{kind, sink, options, {}, {}, std::nullopt, false};
    for (const std::string &source : sources)
        Measure(source, run.progress.filesTotal, run.progress.bytesTotal);
    std::error_code error;
    const fs::path destination = fs::weakly_canonical(fs::path(folder), error);
    for (const std::string &source : sources) {
        if (run.stopped)
            break;
        // A folder copied into its own tree would copy itself without end.
        const fs::path real = fs::weakly_canonical(fs::path(source), error);
        const bool destinationInside =
            std::mismatch(real.begin(), real.end(), destination.begin(), destination.end()).first == real.end();
        if (IsRealFolder(source) && destinationInside) {
            Fail(run, source, "the destination is inside it");
            continue;
        }
        TransferInto(run, fs::path(source), fs::path(folder));
    }
    return run.outcome;
}

} // namespace sifter
