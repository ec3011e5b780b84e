// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/transfer_leftovers.h"

#include "fs/path.h"
#include "fs/stale_temporaries.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

constexpr std::string_view kPrefix = ".sifter-";
constexpr std::string_view kPartKind = "part";
constexpr std::string_view kModeKind = "mode-";
constexpr mode_t kPermissionBits = 07777;
// The rights a folder's owner needs to fill it and, later, to tidy it.
constexpr mode_t kFillingRights = S_IRWXU;
// Digits of a pid or a count; more is no name of ours.
constexpr std::size_t kMaxDigits = 10;
// Taken marker names are someone's; after this many something else is wrong.
constexpr int kMarkerAttempts = 100;

// Takes the decimal number at the start of rest off it; false when there is none.
bool TakeNumber(std::string_view &rest, std::uint64_t &value)
{
    std::size_t digits = 0;
    value = 0;
    while (digits < rest.size() && digits <= kMaxDigits && rest[digits] >= '0' && rest[digits] <= '9')
        value = value * 10 + static_cast<std::uint64_t>(rest[digits++] - '0');
    rest.remove_prefix(digits);
    return digits > 0 && digits <= kMaxDigits;
}

// A name of ours, ".sifter-<pid>-<n>.<kind>": its writer's pid and its kind.
bool SplitName(std::string_view name, pid_t &pid, std::string_view &kind)
{
    if (!name.starts_with(kPrefix))
        return false;
    name.remove_prefix(kPrefix.size());
    std::uint64_t writer = 0;
    std::uint64_t number = 0;
    if (!TakeNumber(name, writer) || !name.starts_with('-'))
        return false;
    name.remove_prefix(1);
    if (!TakeNumber(name, number) || !name.starts_with('.') || writer == 0 ||
        writer > static_cast<std::uint64_t>(INT32_MAX))
        return false;
    pid = static_cast<pid_t>(writer);
    kind = name.substr(1);
    return true;
}

// The permission bits a marker's kind holds ("mode-" and up to four octal digits).
bool ModeOfMarker(std::string_view kind, mode_t &mode)
{
    if (!kind.starts_with(kModeKind))
        return false;
    kind.remove_prefix(kModeKind.size());
    mode = 0;
    for (const char digit : kind) {
        if (digit < '0' || digit > '7')
            return false;
        mode = mode * 8 + static_cast<mode_t>(digit - '0');
    }
    return !kind.empty() && kind.size() <= 4;
}

std::string OctalText(mode_t mode)
{
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>('0' + (mode & 7)));
        mode >>= 3;
    } while (mode != 0);
    return text;
}

// No process of that id: one that runs (EPERM: another user's) may be a writer that does
// not lock, and its entries stay.
bool WriterGone(pid_t pid)
{
    return kill(pid, 0) != 0 && errno == ESRCH;
}

bool IsStaleCandidate(std::string_view name)
{
    pid_t pid = 0;
    std::string_view kind;
    mode_t mode = 0;
    return SplitName(name, pid, kind) && (kind == kPartKind || ModeOfMarker(kind, mode)) && WriterGone(pid);
}

std::string OwnName(unsigned number, std::string_view kind)
{
    return std::string(kPrefix) + std::to_string(getpid()) + "-" + std::to_string(number) + "." + std::string(kind);
}

} // namespace

std::string PartFileName(unsigned number)
{
    return OwnName(number, kPartKind);
}

FolderFinish::~FolderFinish()
{
    if (lock_ >= 0)
        close(lock_);  // only locked, never written
}

bool FolderFinish::Create(const std::string &path, mode_t mode, unsigned &number)
{
    mode &= kPermissionBits;
    const mode_t filling = mode | kFillingRights;
    if (mkdir(path.c_str(), filling & 0777) != 0)
        return false;
    // The umask takes bits away, and mkdir sets no set-group-ID bit. Set now, the bits stay
    // right should the process be killed while it fills the folder.
    if (chmod(path.c_str(), filling) != 0) {
        // A file system without Unix modes (FAT): the folder has what it can have.
    }
    if (filling == mode)
        return true;
    folder_ = path;
    mode_ = mode;
    for (int attempt = 0; attempt < kMarkerAttempts; ++attempt) {
        std::string name = OwnName(++number, std::string(kModeKind) + OctalText(mode));
        const int fd =
            open(PathAppend(path, name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            break;  // unmarked, a folder a kill leaves keeps its owner's rights: no loss either way
        if (LockNamedTemporary(fd)) {
            marker_ = std::move(name);
            lock_ = fd;
            break;
        }
        close(fd);  // taken for stale in the moment before it was locked: another name
    }
    return true;
}

void FolderFinish::Tidy(const std::string &path)
{
    ForEachStaleTemporary(path, IsStaleCandidate, [&](int folderFd, const char *name, int lockedFd) {
        pid_t pid = 0;
        std::string_view kind;
        mode_t mode = 0;
        const bool marker = SplitName(name, pid, kind) && ModeOfMarker(kind, mode);
        if (marker && folder_.empty()) {
            // Held through a second descriptor for as long as the folder is filled.
            lock_ = fcntl(lockedFd, F_DUPFD_CLOEXEC, 0);
            if (lock_ >= 0) {
                folder_ = path;
                marker_ = name;
                mode_ = mode;
            }
            return;
        }
        // A copy never published, or a second marker (one is enough): best effort, a leftover
        // costs space, never content.
        unlinkat(folderFd, name, 0);
    });
}

void FolderFinish::Finish()
{
    if (folder_.empty())
        return;
    // Removed while still locked, so that no other transfer takes it over meanwhile.
    if (!marker_.empty() && unlink(PathAppend(folder_, marker_).c_str()) != 0) {
        // Then the next transfer into the folder removes it; the bits below are right already.
    }
    struct stat status {};
    if (stat(folder_.c_str(), &status) == 0 && (status.st_mode & kPermissionBits) == (mode_ | kFillingRights) &&
        chmod(folder_.c_str(), mode_) != 0) {
        // As for its files: the content is worth more than the folder's mode.
    }
    if (lock_ >= 0)
        close(lock_);  // only locked, never written
    lock_ = -1;
    folder_.clear();
    marker_.clear();
}

} // namespace sifter
