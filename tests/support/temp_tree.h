// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A temporary folder for tests that build real files; removed with everything in it
// (permissions restored first, at any depth) when the object goes out of scope.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace sifter::test {

class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree &) = delete;
    TempTree &operator=(const TempTree &) = delete;

    // Absolute path of the root folder, without a trailing "/".
    const std::string &Root() const { return root_; }
    // Root() + "/" + relative.
    std::string Path(std::string_view relative) const;
    // Creates the folder (and its parents) below the root; returns its path.
    std::string MakeFolder(std::string_view relative) const;
    // Writes a file (parents created) with the given bytes; returns its path.
    std::string WriteFile(std::string_view relative, std::string_view content) const;
    // Sets a file's modification and access times (seconds since 1970, UTC).
    void SetTimes(std::string_view relative, std::int64_t unixSeconds) const;
    // Makes depth folders named component, each inside the last, starting in the root,
    // through descriptors since the whole path may pass PATH_MAX; atLevel(folderFd, level)
    // may add entries to each (level 1 is the outermost). Returns the deepest folder's path.
    std::string MakeChain(std::string_view component, int depth,
                          const std::function<void(int, int)> &atLevel = {}) const;

private:
    std::string root_;
};

// The whole content of the file at path; empty when it cannot be read.
std::string ReadFileContent(const std::string &path);
// True when there is an entry at path (a dangling link counts).
bool EntryExists(const std::string &path);

// Writes a file with the given bytes in the open folder.
void WriteFileAt(int folderFd, const std::string &name, std::string_view content);
// Makes a folder in the open folder.
void MakeFolderAt(int folderFd, const std::string &name);

} // namespace sifter::test
