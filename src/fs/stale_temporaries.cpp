// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/stale_temporaries.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

// The descriptor of folder/name locked by this process when no living writer holds it, else -1.
int TakeIfStale(int folderFd, const char *name)
{
    struct stat seen {};
    if (fstatat(folderFd, name, &seen, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(seen.st_mode))
        return -1;
    constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
    int fd = openat(folderFd, name, O_RDONLY | kFlags);
    if (fd < 0 && errno == EACCES)
        fd = openat(folderFd, name, O_WRONLY | kFlags); // its mode may allow writing only
    if (fd < 0)
        return -1;
    struct stat locked {};
    struct stat now {};
    // A lock that cannot be taken belongs to a living writer (or the file system has no
    // locks, and then no writer can mark its temporary either).
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &locked) == 0 &&
        fstatat(folderFd, name, &now, AT_SYMLINK_NOFOLLOW) == 0 && now.st_dev == locked.st_dev &&
        now.st_ino == locked.st_ino)
        return fd;
    close(fd); // only read from
    return -1;
}

} // namespace

void LockTemporary(int fd)
{
    // Any other failure: no locks on this file system, and nobody can take it for stale either.
    while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}

bool LockNamedTemporary(int fd)
{
    LockTemporary(fd);
    struct stat info {};
    return fstat(fd, &info) == 0 && info.st_nlink > 0;
}

void ForEachStaleTemporary(const std::string &folder, const std::function<bool(std::string_view)> &isOurs,
                           const std::function<void(int folderFd, const char *name, int lockedFd)> &onStale)
{
    DIR *dir = opendir(folder.c_str());
    if (!dir)
        return; // nothing can be made there either, and that is what gets reported
    while (const dirent *entry = readdir(dir)) {
        if (!isOurs(entry->d_name))
            continue;
        const int fd = TakeIfStale(dirfd(dir), entry->d_name);
        if (fd < 0)
            continue;
        onStale(dirfd(dir), entry->d_name, fd);
        close(fd); // only locked, never written
    }
    closedir(dir);
}

void RemoveStaleTemporaries(const std::string &folder, const std::function<bool(std::string_view)> &isOurs)
{
    ForEachStaleTemporary(folder, isOurs, [](int folderFd, const char *name, int) {
        unlinkat(folderFd, name, 0); // best effort: a leftover costs space, never content
    });
}

} // namespace sifter
