// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a properties dialog shows of one file-system entry.
#include "text/file_time.h"

#include <cstdint>
#include <string>

namespace sifter {

struct FileProperties {
    enum class Kind { kFile, kFolder, kLink, kOther };
    Kind kind = Kind::kOther;
    std::uint64_t size = 0;      // a link's own size, as lstat gives it
    FileTime lastWriteTime = 0;
    FileTime creationTime = 0;   // birth time where recorded, else the earlier of mtime and ctime
    FileTime lastAccessTime = 0;
    std::uint32_t mode = 0;      // permission bits, 07777
    std::string linkTarget;      // a link's target as stored; empty for other entries
};

// The entry at path itself (a link is not followed; a trailing "/" is ignored); false (out
// untouched) when it cannot be examined.
bool ReadFileProperties(const std::string &path, FileProperties &out);

// The permission bits as "ls -l" writes them, without the type letter: "rwxr-x---",
// with s/S and t/T for the set-id and sticky bits.
std::string PermissionText(std::uint32_t mode);

} // namespace sifter
