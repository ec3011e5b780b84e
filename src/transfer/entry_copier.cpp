// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/entry_copier.h"

#include "fs/path.h"
#include "fs/stale_temporaries.h"
#include "transfer/rename_entry.h"
#include "transfer/transfer_leftovers.h"
#include "transfer/transfer_tree.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace sifter {
namespace {

// Taken temporary names are someone's; after this many something else is wrong.
constexpr int kTemporaryAttempts = 100;

void CloseQuietly(int fd)
{
    // The descriptor is gone either way; what was written has been checked before.
    if (fd >= 0)
        close(fd);
}

void RemoveQuietly(const std::string &path)
{
    // Only our own temporary name: a failure leaves a hidden file, never a lost one.
    if (!path.empty())
        unlink(path.c_str());
}

CopyResult Failed(std::string &error, CatalogueText message, int code)
{
    error = ErrorMessage(std::move(message), code);
    return CopyResult::kFailed;
}

CopyResult NoFileIn(std::string &error, const std::string &folder, int code)
{
    return Failed(error, CatalogueText("Transfer", "could not create a file in %1: %2").Arg(folder), code);
}

CopyResult NotCreated(std::string &error, const std::string &target, int code)
{
    return Failed(error, CatalogueText("Transfer", "could not create %1: %2").Arg(target), code);
}

CopyResult NotReplaced(std::string &error, const std::string &target, int code)
{
    return Failed(error, CatalogueText("Transfer", "could not replace %1: %2").Arg(target), code);
}

// Why a file was not copied: an entry of mode has taken its place; %1 is the file.
CatalogueText TakenPlaceMessage(mode_t mode)
{
    if (S_ISDIR(mode))
        return CatalogueText("Transfer", "could not copy %1: a folder has taken the place of the file");
    if (S_ISLNK(mode))
        return CatalogueText("Transfer", "could not copy %1: a link has taken the place of the file");
    if (S_ISFIFO(mode))
        return CatalogueText("Transfer", "could not copy %1: a FIFO has taken the place of the file");
    if (S_ISSOCK(mode))
        return CatalogueText("Transfer", "could not copy %1: a socket has taken the place of the file");
    return CatalogueText("Transfer", "could not copy %1: a device has taken the place of the file");
}

// Opens source, found as a plain file, for reading; its descriptor with status its fstat,
// or -1 with error set. Whatever has taken the file's place meanwhile (a FIFO, a device, a
// link) is never read: opening does not wait for a FIFO's writer or follow a link.
int OpenSource(const std::string &source, struct stat &status, std::string &error)
{
    // Reading a file just made would update its access time, a journal write on the source's
    // disk for every file; the copy gets the time from before anyway. Only the owner may ask that.
    constexpr int kFlags = O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC;
    int flags = kFlags | O_NOATIME;
    int in = open(source.c_str(), flags);
    if (in < 0 && errno == EPERM) {
        flags = kFlags;
        in = open(source.c_str(), flags);
    }
    if (in < 0) {
        if (errno == ELOOP)
            error = TakenPlaceMessage(S_IFLNK).Arg(source).Text();
        else
            Failed(error, CatalogueText("Transfer", "could not open %1: %2").Arg(source), errno);
        return -1;
    }
    if (fstat(in, &status) != 0) {
        Failed(error, CatalogueText("Transfer", "could not read %1: %2").Arg(source), errno);
        CloseQuietly(in);
        return -1;
    }
    if (!S_ISREG(status.st_mode)) {
        error = TakenPlaceMessage(status.st_mode).Arg(source).Text();
        CloseQuietly(in);
        return -1;
    }
    // A plain file never waits anyway, but a file system in user space may read the flag.
    if (fcntl(in, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        // Then reads go on with it: a plain file's data is there to read either way.
    }
    return in;
}

// Permission bits and times are kept where the file system can hold them; one that cannot
// (a FAT stick) still gets the content, as a file manager does.
void KeepAttributes(int fd, const struct stat &status)
{
    const timespec times[2] = {status.st_atim, status.st_mtim};
    if (fchmod(fd, status.st_mode & 07777) != 0) {
        // See above: the copy is worth more than its mode.
    }
    if (futimens(fd, times) != 0) {
        // See above.
    }
}

} // namespace

std::string ErrorText(int error)
{
    return std::generic_category().message(error);
}

std::string ErrorMessage(CatalogueText message, int error)
{
    return message.Arg(ErrorText(error)).Text();
}

struct EntryCopier::Destination {
    int fd = -1;
    std::string temporaryPath;  // empty for an anonymous file (O_TMPFILE)
};

std::string EntryCopier::TemporaryName(const std::string &folder)
{
    return PathAppend(folder, PartFileName(++temporaryCounter_));
}

bool EntryCopier::OpenDestination(const std::string &folder, Destination &destination, std::string &error)
{
    // An anonymous file leaves nothing behind when the process dies; it needs /proc to get a name.
    if (!procChecked_) {
        procChecked_ = true;
        anonymousFilesWork_ = access("/proc/self/fd", X_OK) == 0;
    }
    if (anonymousFilesWork_) {
        destination.fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (destination.fd >= 0)
            return true;
        // Refused by the file system: a hidden temporary name does the same, bar a kill.
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            NoFileIn(error, folder, errno);
            return false;
        }
    }
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        std::string path = TemporaryName(folder);
        destination.fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        // Locked, it is known to be a living writer's: a later transfer removes it only once
        // this process is gone.
        if (destination.fd >= 0 && LockNamedTemporary(destination.fd)) {
            destination.temporaryPath = std::move(path);
            return true;
        }
        if (destination.fd >= 0) {
            CloseQuietly(destination.fd);  // taken for stale before it was locked: another name
            continue;
        }
        if (errno != EEXIST) {
            NoFileIn(error, folder, errno);
            return false;
        }
    }
    NoFileIn(error, folder, EEXIST);
    return false;
}

CopyResult EntryCopier::CopyContent(int in, const struct stat &status, int out, const ChunkCallback &onChunk,
                                    std::string &error)
{
    struct stat copy {};
    if (fstat(out, &copy) != 0)
        return Failed(error, CatalogueText("Transfer", "could not examine the copy: %1"), errno);
    switch (content_.Copy(in, status, out, copy.st_dev, onChunk, error)) {
    case ContentCopyResult::kCopied:
        return CopyResult::kCopied;
    case ContentCopyResult::kCancelled:
        return CopyResult::kCancelled;
    case ContentCopyResult::kFailed:
        break;
    }
    return CopyResult::kFailed;
}

CopyResult EntryCopier::Publish(Destination &destination, const std::string &folder, const std::string &target,
                                bool replace, std::string &error)
{
    if (destination.temporaryPath.empty()) {
        const std::string handle = "/proc/self/fd/" + std::to_string(destination.fd);
        if (!replace) {
            // linkat never replaces: a name taken meanwhile is reported, not overwritten.
            if (linkat(AT_FDCWD, handle.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0)
                return CopyResult::kCopied;
            return errno == EEXIST ? CopyResult::kExists : NotCreated(error, target, errno);
        }
        // Replacing wants a rename over the old entry, which needs a name to rename from; locked
        // before it has one, it is never taken for a dead writer's.
        LockTemporary(destination.fd);
        for (int attempt = 0; attempt < kTemporaryAttempts && destination.temporaryPath.empty(); ++attempt) {
            std::string path = TemporaryName(folder);
            if (linkat(AT_FDCWD, handle.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0)
                destination.temporaryPath = std::move(path);
            else if (errno != EEXIST)
                return NoFileIn(error, folder, errno);
        }
        if (destination.temporaryPath.empty())
            return NoFileIn(error, folder, EEXIST);
    }
    const char *from = destination.temporaryPath.c_str();
    if (replace) {
        if (rename(from, target.c_str()) != 0)
            return NotReplaced(error, target, errno);
        destination.temporaryPath.clear();
        return CopyResult::kCopied;
    }
    if (const int code = RenameWithoutReplace(destination.temporaryPath, target); code != 0)
        return code == EEXIST ? CopyResult::kExists : NotCreated(error, target, code);
    destination.temporaryPath.clear();
    return CopyResult::kCopied;
}

CopyResult EntryCopier::CopyFile(const std::string &source, const std::string &folder, const std::string &target,
                                 bool replace, const ChunkCallback &onChunk, std::string &error, CopiedEntry &copied)
{
    struct stat before {};
    const int in = OpenSource(source, before, error);
    if (in < 0)
        return CopyResult::kFailed;
    Destination destination;
    if (!OpenDestination(folder, destination, error)) {
        CloseQuietly(in);
        return CopyResult::kFailed;
    }
    const auto size = static_cast<std::uint64_t>(before.st_size);
    CopyResult result = CopyContent(in, before, destination.fd, onChunk, error);
    if (result == CopyResult::kCopied) {
        struct stat after {};
        struct stat copy {};
        if (fstat(in, &after) != 0 || fstat(destination.fd, &copy) != 0) {
            result = Failed(error, CatalogueText("Transfer", "could not check the copy of %1: %2").Arg(source), errno);
        } else if (!SameVersion(after, before)) {
            error = CatalogueText("Transfer", "could not copy %1: it changed while it was copied").Arg(source).Text();
            result = CopyResult::kFailed;
        } else if (static_cast<std::uint64_t>(copy.st_size) != size) {
            error = CatalogueText("Transfer", "the copy of %1 does not have its size").Arg(source).Text();
            result = CopyResult::kFailed;
        } else {
            copied.source = after;
            copied.device = copy.st_dev;
            KeepAttributes(destination.fd, before);
            result = Publish(destination, folder, target, replace, error);
        }
    }
    CloseQuietly(in);
    // Removed while still locked, so that no other transfer sees it unlocked.
    RemoveQuietly(destination.temporaryPath);
    CloseQuietly(destination.fd);
    return result;
}

CopyResult EntryCopier::CopySpecial(const std::string &source, const struct stat &status, const std::string &folder,
                                    const std::string &target, bool replace, std::string &error, CopiedEntry &copied)
{
    std::string linkTarget;
    if (S_ISLNK(status.st_mode)) {
        linkTarget.resize(static_cast<std::size_t>(std::max<off_t>(status.st_size, 64)) + 1);
        for (;;) {
            const ssize_t length = readlink(source.c_str(), linkTarget.data(), linkTarget.size());
            if (length < 0)
                return Failed(error, CatalogueText("Transfer", "could not read the link %1: %2").Arg(source), errno);
            if (static_cast<std::size_t>(length) < linkTarget.size()) {
                linkTarget.resize(static_cast<std::size_t>(length));
                break;
            }
            linkTarget.resize(linkTarget.size() * 2);  // it grew since lstat
        }
    }
    std::string made;
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        // A link or a FIFO is made whole in one call: only a replacement needs a detour.
        made = replace ? TemporaryName(folder) : target;
        const int done = S_ISLNK(status.st_mode) ? symlink(linkTarget.c_str(), made.c_str())
                                                 : mkfifo(made.c_str(), 0600);
        if (done == 0)
            break;
        if (errno != EEXIST || !replace) {
            made.clear();
            if (errno == EEXIST)
                return CopyResult::kExists;
            return NotCreated(error, target, errno);
        }
        made.clear();
    }
    if (made.empty())
        return Failed(error, CatalogueText("Transfer", "could not create a temporary entry in %1: %2").Arg(folder),
                      EEXIST);
    const timespec times[2] = {status.st_atim, status.st_mtim};
    // As for files: the entry is worth more than its mode and times. A link has no mode of its own.
    if (S_ISFIFO(status.st_mode) && chmod(made.c_str(), status.st_mode & 07777) != 0) {
    }
    if (utimensat(AT_FDCWD, made.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) {
    }
    struct stat copy {};
    copied.source = status;
    // Should this fail, device 0 still leads the batch to a handle of this folder to sync.
    if (lstat(made.c_str(), &copy) == 0)
        copied.device = copy.st_dev;
    if (replace && rename(made.c_str(), target.c_str()) != 0) {
        const int code = errno;
        RemoveQuietly(made);
        return NotReplaced(error, target, code);
    }
    return CopyResult::kCopied;
}

CopyResult EntryCopier::Copy(const std::string &source, const struct stat &status, const std::string &folder,
                             const std::string &name, bool replace, const ChunkCallback &onChunk, std::string &error,
                             CopiedEntry &copied)
{
    const std::string target = PathAppend(folder, name);
    if (S_ISREG(status.st_mode))
        return CopyFile(source, folder, target, replace, onChunk, error, copied);
    if (S_ISLNK(status.st_mode) || S_ISFIFO(status.st_mode))
        return CopySpecial(source, status, folder, target, replace, error, copied);
    error = CatalogueText("Transfer", "%1 is a device or a socket, which cannot be copied").Arg(source).Text();
    return CopyResult::kFailed;
}

} // namespace sifter
