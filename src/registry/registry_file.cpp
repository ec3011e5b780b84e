// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/registry_file.h"

#include "fs/atomic_file.h"
#include "fs/user_folders.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {

namespace {

constexpr std::string_view kLockSuffix = ".lock";
constexpr mode_t kFileMode = 0600;
constexpr int kMaxAsideAttempts = 100;
constexpr std::size_t kReadChunk = 64 * 1024;

FileStamp StampOf(const struct stat &info)
{
    FileStamp stamp;
    stamp.exists = true;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modifiedSeconds = info.st_mtim.tv_sec;
    stamp.modifiedNanoseconds = info.st_mtim.tv_nsec;
    stamp.changedSeconds = info.st_ctim.tv_sec;
    stamp.changedNanoseconds = info.st_ctim.tv_nsec;
    return stamp;
}

// Writes text as the whole file at path through the atomic writer (a new file private).
bool WriteCopy(const std::string &path, std::string_view text)
{
    AtomicWriteOptions options;
    options.newFileMode = kFileMode;
    return WriteFileAtomically(
        path, [text](std::FILE *file) { return std::fwrite(text.data(), 1, text.size(), file) == text.size(); },
        options);
}

std::string TimeStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[32] = "00000000-000000";
    if (localtime_r(&now, &local))
        std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

bool IsBlankText(std::string_view text)
{
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

} // namespace

RegistryFile::RegistryFile(std::string folder, std::string fileName, std::string rootName)
    : folder_(std::move(folder)), path_(folder_ + "/" + fileName), rootName_(std::move(rootName))
{
}

RegistryFile::~RegistryFile()
{
    Unlock();
}

FileStamp RegistryFile::CurrentStamp() const
{
    struct stat info;
    if (stat(path_.c_str(), &info) == 0)
        return StampOf(info);
    FileStamp stamp;
    // Something we cannot look at (no access) still differs from "no file", so that
    // reading it is attempted and reported.
    stamp.exists = errno != ENOENT && errno != ENOTDIR;
    return stamp;
}

RegistrySnapshot RegistryFile::Read() const
{
    RegistrySnapshot snapshot;
    const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        snapshot.state = (errno == ENOENT || errno == ENOTDIR) ? RegistryFileState::Missing : RegistryFileState::Unreadable;
        snapshot.stamp = CurrentStamp();
        return snapshot;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        snapshot.state = RegistryFileState::Unreadable;
        snapshot.stamp = CurrentStamp();
        return snapshot;
    }
    snapshot.stamp = StampOf(info);
    if (info.st_size > kMaxRegistryFileBytes) {
        close(fd);
        snapshot.state = RegistryFileState::TooLarge;
        return snapshot;
    }
    // Read straight into the text, sized once for what the file holds (and a chunk more,
    // which tells its end or that it grew).
    std::size_t filled = 0;
    for (;;) {
        if (snapshot.bytes.size() - filled < kReadChunk)
            snapshot.bytes.resize(std::max<std::size_t>(filled + kReadChunk, static_cast<std::size_t>(info.st_size) + kReadChunk));
        const ssize_t got = read(fd, snapshot.bytes.data() + filled, snapshot.bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || filled > static_cast<std::size_t>(kMaxRegistryFileBytes)) {
            close(fd);
            snapshot.state = got < 0 ? RegistryFileState::Unreadable : RegistryFileState::TooLarge;
            snapshot.bytes.clear();
            snapshot.bytes.shrink_to_fit();
            return snapshot;
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    snapshot.bytes.resize(filled);
    close(fd); // read-only descriptor: nothing to lose on close

    std::string_view text = snapshot.bytes;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    if (IsBlankText(text)) {
        // An empty file holds no keys; nothing in it needs keeping.
        snapshot.state = RegistryFileState::Read;
        snapshot.parse.recognised = true;
        return snapshot;
    }
    snapshot.parse = ParseRegeditText(snapshot.bytes, rootName_, snapshot.tree);
    if (!snapshot.parse.recognised) {
        snapshot.state = RegistryFileState::Broken;
        snapshot.tree = RegistryNode();
        return snapshot;
    }
    snapshot.state = RegistryFileState::Read;
    return snapshot;
}

bool RegistryFile::Lock()
{
    if (lockFd_ >= 0)
        return true;
    if (!MakeOwnerOnlyFolders(folder_))
        return false;
    const std::string lockPath = path_ + std::string(kLockSuffix);
    lockFd_ = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kFileMode);
    if (lockFd_ < 0)
        return false;
    while (flock(lockFd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            close(lockFd_);
            lockFd_ = -1;
            return false;
        }
    }
    return true;
}

void RegistryFile::Unlock()
{
    if (lockFd_ < 0)
        return;
    close(lockFd_); // closing the only descriptor releases the lock
    lockFd_ = -1;
}

bool RegistryFile::Replace(std::string_view text)
{
    return lockFd_ >= 0 && WriteCopy(path_, text);
}

std::string RegistryFile::KeepAside(const RegistrySnapshot &snapshot, std::string_view label, bool move)
{
    if (lockFd_ < 0 || !snapshot.stamp.exists || !(CurrentStamp() == snapshot.stamp))
        return {};
    // What is set aside is the entry at the path, never the file a link leads to: that one
    // may be anybody's, and the name beside it is not ours to take.
    struct stat entry;
    if (lstat(path_.c_str(), &entry) != 0)
        return {};
    const bool isLink = S_ISLNK(entry.st_mode);
    // A second name for a link would show its target's later changes, not this version.
    const bool copyBytes = !move && isLink;
    const std::string base = path_ + "." + std::string(label) + "-" + TimeStamp();
    for (int attempt = 0; attempt < kMaxAsideAttempts; ++attempt) {
        const std::string name = attempt == 0 ? base : base + "-" + std::to_string(attempt);
        // linkat without AT_SYMLINK_FOLLOW gives a link itself the new name.
        if (!copyBytes && linkat(AT_FDCWD, path_.c_str(), AT_FDCWD, name.c_str(), 0) == 0) {
            if (move && unlink(path_.c_str()) != 0 && isLink) {
                // A link left at the path would lead the next write to its target.
                unlink(name.c_str()); // should this fail too, the link merely has two names
                return {};
            }
            // A regular file whose old name stayed gets a new file put over it by the next
            // Replace; its data keep the new name.
            SyncFolderOf(path_);
            return name;
        }
        if (!copyBytes && errno == EEXIST)
            continue;
        // A copy, or a file system without hard links: rename or copy, after making sure the
        // name is free (we hold the lock, so no other copy of us takes it meanwhile).
        struct stat info;
        if (lstat(name.c_str(), &info) == 0)
            continue;
        if (move) {
            if (rename(path_.c_str(), name.c_str()) != 0)
                return {};
            SyncFolderOf(path_);
            return name;
        }
        return WriteCopy(name, snapshot.bytes) ? name : std::string();
    }
    return {};
}

} // namespace sifter
