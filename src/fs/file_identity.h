// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which file an entry is, whatever path leads to it: its device and inode numbers.
#include <cstdint>
#include <optional>
#include <string>

struct stat;

namespace sifter {

struct FileIdentity {
    std::uint64_t device = 0; // as stat's st_dev
    std::uint64_t inode = 0;

    bool operator==(const FileIdentity &) const = default;
};

// The identity that status (from stat, fstat or fstatat) describes.
FileIdentity IdentityOf(const struct stat &status);
// The identity of whatever is open as fd; none when it cannot be examined.
std::optional<FileIdentity> FileIdentityOf(int fd);
// The identity of the regular file open as fd; none for anything else (a pipe, a terminal)
// or when it cannot be examined.
std::optional<FileIdentity> RegularFileIdentityOf(int fd);
// The same for the regular file at path, links followed; none when there is none.
std::optional<FileIdentity> RegularFileIdentityAt(const std::string &path);
// The identity of the folder at path, links followed; none for anything else.
std::optional<FileIdentity> FolderIdentityAt(const std::string &path);

} // namespace sifter
