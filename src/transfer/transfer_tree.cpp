// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/transfer_tree.h"

#include "fs/path.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace sifter {

bool ListFolder(const std::string &folder, std::vector<std::string> &names)
{
    DIR *listing = opendir(folder.c_str());
    if (!listing)
        return false;
    errno = 0;
    while (const dirent *entry = readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            names.emplace_back(name);
        errno = 0;
    }
    const int code = errno;
    closedir(listing);
    errno = code;
    return code == 0;
}

bool MeasureTree(const std::string &path, const struct stat &status, TreeSize &size,
                 const std::function<bool()> &keepGoing)
{
    if (keepGoing && !keepGoing())
        return false;
    if (!S_ISDIR(status.st_mode)) {
        size.files += 1;
        size.bytes += S_ISREG(status.st_mode) ? static_cast<std::uint64_t>(status.st_size) : 0;
        return true;
    }
    size.folders += 1;
    std::vector<std::string> names;
    if (!ListFolder(path, names)) {
        // Only the totals shrink; the transfer itself reports the folder it cannot read.
    }
    for (const std::string &name : names) {
        const std::string child = PathAppend(path, name);
        struct stat childStatus {};
        if (lstat(child.c_str(), &childStatus) != 0)
            continue;  // gone meanwhile: nothing to count
        if (!MeasureTree(child, childStatus, size, keepGoing))
            return false;
    }
    return true;
}

TreeSize MeasureTree(const std::string &path, const struct stat &status)
{
    TreeSize size;
    MeasureTree(path, status, size, {});
    return size;
}

bool SameVersion(const struct stat &a, const struct stat &b)
{
    const auto same = [](const timespec &x, const timespec &y) { return x.tv_sec == y.tv_sec && x.tv_nsec == y.tv_nsec; };
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && (a.st_mode & S_IFMT) == (b.st_mode & S_IFMT) &&
           a.st_size == b.st_size && same(a.st_mtim, b.st_mtim) && same(a.st_ctim, b.st_ctim);
}

bool FolderIsWithin(const std::string &folder, const struct stat &status)
{
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    while (fd >= 0) {
        struct stat here {};
        if (fstat(fd, &here) != 0)
            break;
        if (here.st_dev == status.st_dev && here.st_ino == status.st_ino) {
            close(fd);
            return true;
        }
        const int parent = openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        fd = parent;
        struct stat up {};
        // The root is its own parent.
        if (fd >= 0 && fstat(fd, &up) == 0 && up.st_dev == here.st_dev && up.st_ino == here.st_ino)
            break;
    }
    if (fd >= 0)
        close(fd);
    // Opening the folder by its path needed search rights on every parent, so ".." opens too;
    // what still fails here (a folder removed meanwhile) fails the transfer on its own.
    return false;
}

} // namespace sifter
