// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/atomic_file.h"

#include "fs/path.h"
#include "fs/stale_temporaries.h"
#include "text/translation.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

constexpr std::size_t kRandomLetters = 6;
constexpr std::string_view kNameLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kMaxNameAttempts = 100;
constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kPrivateMode = 0600;

using ContentWriter = std::function<bool(std::FILE *)>;

// The errno of the step that just failed; EIO when it set none (a short stdio write).
int LastError()
{
    return errno != 0 ? errno : EIO;
}

bool Report(int failure, int *error)
{
    if (failure != 0 && error)
        *error = failure;
    return failure == 0;
}

// Where and how a path is written.
struct Target {
    std::string path;    // the file replaced, or the stream written into
    bool stream = false; // a FIFO or character device
    bool exists = false;
    struct stat info {}; // of what exists, links followed
};

// Looks at what path leads to; false with errno set when it cannot take a file.
bool LocateTarget(const std::string &path, Target &target)
{
    target.path = path;
    if (path.empty()) {
        errno = ENOENT; // as open("") answers; a temporary ".tmp-XXXXXX" could be made, the rename not
        return false;
    }
    if (stat(path.c_str(), &target.info) != 0) {
        // Nothing there (a dangling link is then replaced itself): a new file. A missing
        // folder also ends here and is reported when the temporary cannot be made.
        return errno == ENOENT;
    }
    const mode_t mode = target.info.st_mode;
    if (S_ISDIR(mode)) {
        errno = EISDIR;
        return false;
    }
    if (!S_ISREG(mode) && !S_ISFIFO(mode) && !S_ISCHR(mode)) {
        errno = ENXIO; // what opening a socket answers; a block device is refused alike
        return false;
    }
    target.exists = true;
    target.stream = !S_ISREG(mode);
    // A stream is opened by the path as given: "/dev/stdout" leads through links of
    // /proc that do not resolve to a path.
    if (!target.stream)
        target.path = ReplacedFileOf(path);
    return true;
}

// Six random letters and digits for a temporary's name.
std::string RandomLetters()
{
    unsigned char bytes[kRandomLetters];
    if (getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        // No randomness at hand yet: the clock and process id keep clashes rare, and
        // O_EXCL makes them harmless.
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now); // cannot fail with a valid clock and pointer
        std::uint64_t state = static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(now.tv_sec) << 30) ^
                              (static_cast<std::uint64_t>(getpid()) << 44);
        for (unsigned char &byte : bytes) {
            state = state * 6364136223846793005ULL + 1442695040888963407ULL;
            byte = static_cast<unsigned char>(state >> 56);
        }
    }
    std::string letters;
    for (unsigned char byte : bytes)
        letters.push_back(kNameLetters[byte % kNameLetters.size()]);
    return letters;
}

bool IsTemporaryName(std::string_view name, std::string_view prefix)
{
    return name.size() == prefix.size() + kRandomLetters && name.starts_with(prefix) &&
           name.substr(prefix.size()).find_first_not_of(kNameLetters) == std::string_view::npos;
}

// The name a temporary of target gets, with the random part still to be filled in.
std::string TemporaryPattern(const std::string &target)
{
    return target + std::string(kTemporaryInfix) + std::string(kRandomLetters, 'X');
}

void RemoveStaleTemporariesOf(const std::string &target)
{
    const std::string pattern = TemporaryPattern(target);
    std::string prefix = PathLastComponent(pattern);
    prefix.resize(prefix.size() - kRandomLetters);
    RemoveStaleTemporaries(PathContainingFolder(pattern),
                           [&prefix](std::string_view name) { return IsTemporaryName(name, prefix); });
}

// A locked temporary file beside the file it is to replace; removed again unless it was
// renamed over that file.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string target) : target_(std::move(target)) {}
    ~TemporaryFile()
    {
        if (fd_ < 0)
            return;
        // Removed while still locked, so that no other writer sees it unlocked. Should
        // that fail, the next write of the target removes it.
        if (!renamed_)
            unlink(name_.c_str());
        // Closing ends the lock. Nothing is lost by a failed close: the content was
        // flushed to disk before the rename, or it is being thrown away.
        if (file_)
            std::fclose(file_);
        else
            close(fd_);
    }
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    // Creates and locks a new temporary with mode (less the umask); false with errno set.
    bool Create(mode_t mode)
    {
        for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
            std::string pattern = TemporaryPattern(target_);
            name_ = pattern.replace(pattern.size() - kRandomLetters, kRandomLetters, RandomLetters());
            fd_ = open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
            if (fd_ < 0) {
                if (errno == EEXIST)
                    continue;
                return false;
            }
            if (LockNamedTemporary(fd_))
                return true;
            // Another writer removed it as stale in the moment before it was locked.
            close(fd_);
            fd_ = -1;
        }
        errno = EEXIST;
        return false;
    }

    int Descriptor() const { return fd_; }

    // The temporary as a stream; null with errno set.
    std::FILE *Stream()
    {
        if (!file_)
            file_ = fdopen(fd_, "wb");
        return file_;
    }

    // Flushes the stream to disk and renames the temporary over the target; false with
    // errno set.
    bool Commit()
    {
        errno = 0;
        if (std::fflush(file_) != 0 || fsync(fd_) != 0 || rename(name_.c_str(), target_.c_str()) != 0)
            return false;
        renamed_ = true;
        return true;
    }

private:
    std::string target_;
    std::string name_;
    int fd_ = -1;
    std::FILE *file_ = nullptr;
    bool renamed_ = false;
};

// The replacement gets the replaced file's owner (where that may be given) and mode.
void TakeOverOwnerAndMode(int fd, const struct stat &old)
{
    struct stat now {};
    // Only root may give a file away, a user only to a group of theirs; otherwise the new
    // file is the user's, as with any program that saves by renaming.
    const bool ownerKept = (fstat(fd, &now) == 0 && now.st_uid == old.st_uid && now.st_gid == old.st_gid) ||
                           fchown(fd, old.st_uid, old.st_gid) == 0;
    mode_t mode = old.st_mode & kPermissionBits;
    if (!ownerKept)
        mode &= ~(S_ISUID | S_ISGID); // they would lend the old owner's rights to another
    // After fchown, which clears set-user-id bits. Should it fail, the temporary's 0600
    // stays: safe, only stricter.
    fchmod(fd, mode);
}

// 0, or the errno of the step that failed.
int ReplaceFile(const Target &target, const ContentWriter &write, mode_t newFileMode)
{
    RemoveStaleTemporariesOf(target.path);
    TemporaryFile temporary(target.path);
    if (!temporary.Create(target.exists ? kPrivateMode : newFileMode))
        return LastError();
    if (target.exists)
        TakeOverOwnerAndMode(temporary.Descriptor(), target.info);
    std::FILE *file = temporary.Stream();
    if (!file)
        return LastError();
    errno = 0;
    if (!write(file) || !temporary.Commit())
        return LastError();
    SyncFolderOf(target.path);
    return 0;
}

// Makes SIGPIPE an EPIPE from write for the calling thread while it lives: a reader that
// went away is a failed save, not the end of the program.
class PipeSignalBlock {
public:
    PipeSignalBlock()
    {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        sigset_t pending;
        wasPending_ = sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
        blocked_ = pthread_sigmask(SIG_BLOCK, &pipe_, &old_) == 0;
    }
    ~PipeSignalBlock()
    {
        if (!blocked_)
            return;
        // A SIGPIPE our writes raised is taken away before the old mask lets it through.
        const timespec noWait{};
        while (!wasPending_ && sigtimedwait(&pipe_, nullptr, &noWait) == SIGPIPE) {
        }
        pthread_sigmask(SIG_SETMASK, &old_, nullptr); // restores a mask that was valid
    }
    PipeSignalBlock(const PipeSignalBlock &) = delete;
    PipeSignalBlock &operator=(const PipeSignalBlock &) = delete;

private:
    sigset_t pipe_;
    sigset_t old_;
    bool wasPending_ = false;
    bool blocked_ = false;
};

// Opens a FIFO or character device for writing as it is; -1 with errno set.
int OpenStream(const std::string &path, bool waitForReader)
{
    // A signal ends the wait for a reader (EINTR) unless its handler restarts calls.
    const int fd = open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | (waitForReader ? 0 : O_NONBLOCK));
    if (fd < 0)
        return -1;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !(S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode))) {
        // It became a file since it was looked at; writing into it in place would not be
        // atomic.
        close(fd);
        errno = EAGAIN;
        return -1;
    }
    // Writes wait for room as usual. Should this fail, a full pipe fails the write with
    // EAGAIN, which is reported.
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0 && (flags & O_NONBLOCK))
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

// 0, or the errno of the step that failed.
int WriteIntoStream(const Target &target, const ContentWriter &write, bool waitForReader)
{
    const int fd = OpenStream(target.path, waitForReader);
    if (fd < 0)
        return LastError();
    std::FILE *file = fdopen(fd, "wb");
    if (!file) {
        const int failure = LastError();
        close(fd); // nothing was written
        return failure;
    }
    // Closing may write what a failed write left in the buffer, so it is covered too.
    PipeSignalBlock pipeSignal;
    errno = 0;
    int failure = write(file) && std::fflush(file) == 0 ? 0 : LastError();
    errno = 0;
    if (std::fclose(file) != 0 && failure == 0)
        failure = LastError();
    return failure;
}

} // namespace

bool WriteFileAtomically(const std::string &path, const std::function<bool(std::FILE *)> &write,
                         const AtomicWriteOptions &options, int *error)
{
    Target target;
    errno = 0;
    if (!LocateTarget(path, target))
        return Report(LastError(), error);
    if (target.stream)
        return Report(WriteIntoStream(target, write, options.waitForReader), error);
    return Report(ReplaceFile(target, write, options.newFileMode), error);
}

bool WriteTextFileAtomically(const std::string &path, std::string_view text, std::string &error)
{
    int failure = 0;
    if (WriteFileAtomically(
            path, [text](std::FILE *file) { return std::fwrite(text.data(), 1, text.size(), file) == text.size(); }, {},
            &failure))
        return true;
    error = CatalogueText("Files", "cannot write %1: %2").Arg(path).Arg(std::strerror(failure)).Text();
    return false;
}

bool ProbeAtomicWrite(const std::string &path, int *error)
{
    Target target;
    errno = 0;
    if (!LocateTarget(path, target))
        return Report(LastError(), error);
    if (target.stream)
        return Report(faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : LastError(), error);
    RemoveStaleTemporariesOf(target.path);
    TemporaryFile temporary(target.path);
    return Report(temporary.Create(kPrivateMode) ? 0 : LastError(), error);
}

std::string ReplacedFileOf(const std::string &path)
{
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
    // A dangling link cannot be resolved; then the link itself is replaced.
    return resolved ? std::string(resolved.get()) : path;
}

void SyncFolderOf(const std::string &path)
{
    const int fd = open(PathContainingFolder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return; // the change has happened; only its survival of a power cut is less certain
    fsync(fd);  // likewise: a failure here cannot undo or redo it
    close(fd);
}

} // namespace sifter
