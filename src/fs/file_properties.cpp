// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/file_properties.h"

#include "fs/folder_listing.h"
#include "fs/path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace sifter {
namespace {

// The target of the link; empty when it cannot be read (it then shows as empty).
std::string ReadLinkTarget(const std::string &path, std::size_t sizeHint)
{
    // A link's size is its target's length on most file systems; some report 0, hence the loop.
    std::vector<char> buffer(std::max<std::size_t>(sizeHint + 1, 256));
    for (;;) {
        const ssize_t length = readlink(path.c_str(), buffer.data(), buffer.size());
        if (length < 0)
            return {};
        if (static_cast<std::size_t>(length) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

bool ReadFileProperties(const std::string &path, FileProperties &out)
{
    std::string entry = path;
    PathRemoveTrailingSeparator(entry);
    struct stat status {};
    if (lstat(entry.c_str(), &status) != 0)
        return false;
    EntryData data;
    if (!ReadEntryData(entry, data))
        return false;
    FileProperties properties;
    if (S_ISLNK(status.st_mode))
        properties.kind = FileProperties::Kind::kLink;
    else if (S_ISDIR(status.st_mode))
        properties.kind = FileProperties::Kind::kFolder;
    else if (S_ISREG(status.st_mode))
        properties.kind = FileProperties::Kind::kFile;
    properties.size = static_cast<std::uint64_t>(status.st_size);
    properties.lastWriteTime = data.lastWriteTime;
    properties.creationTime = data.creationTime;
    properties.lastAccessTime = data.lastAccessTime;
    properties.mode = status.st_mode & 07777;
    if (properties.kind == FileProperties::Kind::kLink)
        properties.linkTarget = ReadLinkTarget(entry, properties.size);
    out = std::move(properties);
    return true;
}

std::string PermissionText(std::uint32_t mode)
{
    std::string text = "---------";
    const char letters[] = "rwx";
    for (int bit = 0; bit < 9; ++bit) {
        if ((mode & (0400u >> bit)) != 0)
            text[static_cast<std::size_t>(bit)] = letters[bit % 3];
    }
    // Set-user-id, set-group-id and sticky show in the execute places, upper case without x.
    const auto special = [&](std::size_t place, std::uint32_t flag, char letter) {
        if ((mode & flag) != 0)
            text[place] = text[place] == 'x' ? letter : static_cast<char>(letter - 'a' + 'A');
    };
    special(2, S_ISUID, 's');
    special(5, S_ISGID, 's');
    special(8, S_ISVTX, 't');
    return text;
}

} // namespace sifter
