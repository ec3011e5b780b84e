// SPDX-License-Identifier: GPL-3.0-or-later
// Entry data from statx: the attribute, size and time mapping of a directory entry.
#include "fs/entry_data.h"

#include "fs/file_attributes.h"
#include "fs/path.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace sifter {
namespace {

constexpr char kHiddenPrefix = '.';
constexpr unsigned kWantedFields = STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_ATIME | STATX_MTIME
                                   | STATX_CTIME | STATX_BTIME;

// What the mapping needs of one entry, as FileTimes.
struct Status {
    mode_t mode = 0;
    std::uint64_t size = 0;
    FileTime access = 0;
    FileTime write = 0;
    FileTime change = 0;
    FileTime birth = 0;
    bool hasBirth = false;
    FileIdentity identity;
};

FileTime FromStatx(const statx_timestamp &time)
{
    return FileTimeFromUnix(time.tv_sec, time.tv_nsec);
}

FileTime FromTimespec(const timespec &time)
{
    return FileTimeFromUnix(time.tv_sec, time.tv_nsec);
}

bool Examine(int folderFd, const char *path, bool followLink, Status &out)
{
    // Listing a mount point must not mount it.
    const int flags = AT_NO_AUTOMOUNT | (followLink ? 0 : AT_SYMLINK_NOFOLLOW);
    struct statx extended {};
    if (statx(folderFd, path, flags, kWantedFields, &extended) == 0) {
        out.mode = extended.stx_mode;
        out.size = extended.stx_size;
        out.access = FromStatx(extended.stx_atime);
        out.write = FromStatx(extended.stx_mtime);
        out.change = FromStatx(extended.stx_ctime);
        out.hasBirth = (extended.stx_mask & STATX_BTIME) != 0;
        out.birth = out.hasBirth ? FromStatx(extended.stx_btime) : 0;
        out.identity = {makedev(extended.stx_dev_major, extended.stx_dev_minor), extended.stx_ino};
        return true;
    }
    // Old kernels and some container sandboxes refuse statx itself; fstatat then
    // gives everything but the birth time.
    if (errno != ENOSYS && errno != EPERM)
        return false;
    struct stat plain {};
    if (fstatat(folderFd, path, &plain, flags) != 0)
        return false;
    out.mode = plain.st_mode;
    out.size = static_cast<std::uint64_t>(plain.st_size);
    out.access = FromTimespec(plain.st_atim);
    out.write = FromTimespec(plain.st_mtim);
    out.change = FromTimespec(plain.st_ctim);
    out.hasBirth = false;
    out.identity = IdentityOf(plain);
    return true;
}

} // namespace

bool ReadEntryDataAt(int folderFd, const char *path, std::string_view name, EntryData &out)
{
    Status entry;
    if (!Examine(folderFd, path, false, entry))
        return false;
    std::uint32_t attributes = 0;
    const Status *shown = &entry;
    Status target;
    bool typeKnown = true;
    if (S_ISLNK(entry.mode)) {
        attributes |= kAttributeReparsePoint;
        // A link stands for what it points at; a dangling or looping link is only itself.
        if (Examine(folderFd, path, true, target))
            shown = &target;
        else
            typeKnown = false;
    }
    if (typeKnown) {
        if (S_ISDIR(shown->mode))
            attributes |= kAttributeFolder;
        else if (!S_ISREG(shown->mode))
            attributes |= kAttributeSystem;
        if ((shown->mode & S_IWUSR) == 0)
            attributes |= kAttributeReadOnly;
    }
    if (!name.empty() && name.front() == kHiddenPrefix)
        attributes |= kAttributeHidden;
    if (attributes == 0)
        attributes = kAttributeNormal; // only a plain regular file gets here

    const std::uint64_t size = (typeKnown && !S_ISDIR(shown->mode)) ? shown->size : 0;
    out.name.assign(name);
    out.shortName.clear();
    out.attributes = attributes;
    out.creationTime = shown->hasBirth ? shown->birth : std::min(shown->write, shown->change);
    out.lastAccessTime = shown->access;
    out.lastWriteTime = shown->write;
    out.sizeHigh = static_cast<std::uint32_t>(size >> 32);
    out.sizeLow = static_cast<std::uint32_t>(size);
    out.identity = shown->identity;
    return true;
}

bool ReadEntryData(const std::string &path, EntryData &out)
{
    // "dir/link/" would name the link's target rather than the link.
    std::string entry = path;
    PathRemoveTrailingSeparator(entry);
    return ReadEntryDataAt(AT_FDCWD, entry.c_str(), PathLastComponent(entry), out);
}

} // namespace sifter
