// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hidden entries a transfer makes in a folder while it fills it, and tidying up those a
// killed transfer left. ".sifter-<pid>-<n>.part" is a copy not yet under its name;
// ".sifter-<pid>-<n>.mode-<octal>" sits in a new folder whose final permission bits would
// keep its owner from filling it, and holds those bits until the folder is complete. The
// writer locks each for as long as it runs (stale_temporaries.h). Paths are the file
// system's bytes.
#include <string>
#include <sys/types.h>

namespace sifter {

// The name of this process's part file number number.
std::string PartFileName(unsigned number);

// A folder being filled that gets its final permission bits once it is complete.
class FolderFinish {
public:
    FolderFinish() = default;
    ~FolderFinish();
    FolderFinish(const FolderFinish &) = delete;
    FolderFinish &operator=(const FolderFinish &) = delete;

    // Makes the folder path, to be filled, for the final permission bits mode: with them at
    // once where they let the owner in, else with the owner's rights added and a marker that
    // holds mode (its name taking number, counted on). False with errno set: nothing made.
    bool Create(const std::string &path, mode_t mode, unsigned &number);
    // Before filling the existing folder path: removes the part files that transfers whose
    // writer is gone left in it, and takes over the marker one left (then Finish completes it).
    void Tidy(const std::string &path);
    // Gives a marked folder its final bits and removes the marker; unless its bits are no
    // longer those it was filled with (someone changed them since): then only the marker goes.
    void Finish();

private:
    std::string folder_;
    std::string marker_;  // its name in folder_; empty without one
    mode_t mode_ = 0;
    int lock_ = -1;       // the marker's, held while the folder is filled
};

} // namespace sifter
