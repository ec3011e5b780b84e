// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/file_identity.h"

#include <sys/stat.h>

namespace sifter {
namespace {

std::optional<FileIdentity> RegularIdentity(const struct stat &info)
{
    if (!S_ISREG(info.st_mode))
        return std::nullopt;
    return IdentityOf(info);
}

} // namespace

FileIdentity IdentityOf(const struct stat &status)
{
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

std::optional<FileIdentity> FileIdentityOf(int fd)
{
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0)
        return std::nullopt;
    return IdentityOf(info);
}

std::optional<FileIdentity> RegularFileIdentityOf(int fd)
{
    struct stat info {};
    if (fstat(fd, &info) != 0)
        return std::nullopt;
    return RegularIdentity(info);
}

std::optional<FileIdentity> RegularFileIdentityAt(const std::string &path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return RegularIdentity(info);
}

std::optional<FileIdentity> FolderIdentityAt(const std::string &path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::nullopt;
    return IdentityOf(info);
}

} // namespace sifter
