// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Looking at the trees a copy or a move works on. Paths are the file system's bytes.
#include <cstdint>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace sifter {

struct TreeSize {
    std::uint64_t files = 0;  // every entry that is not a folder
    std::uint64_t bytes = 0;  // of the plain files
    std::uint64_t folders = 0;  // the path itself included when it is one
};

// What path, whose lstat is status, holds: itself when it is no folder, else its whole tree
// (links not followed). Folders that cannot be read count as empty.
TreeSize MeasureTree(const std::string &path, const struct stat &status);
// The same, asking keepGoing after every entry; false when it said stop (size then partial).
bool MeasureTree(const std::string &path, const struct stat &status, TreeSize &size,
                 const std::function<bool()> &keepGoing);

// The names in folder but "." and "..", in the order the system lists them; false with errno
// set when the folder cannot be read.
bool ListFolder(const std::string &folder, std::vector<std::string> &names);

// True when a and b are one version of one entry: the same inode, of the same kind, length,
// and modification and change times (a write, an append, a chmod or a new link changes one).
bool SameVersion(const struct stat &a, const struct stat &b);

// True when folder is the folder of status (device and inode) or lies anywhere below it,
// looked up through "..", so links and other spellings of the path do not fool it.
bool FolderIsWithin(const std::string &folder, const struct stat &status);

} // namespace sifter
