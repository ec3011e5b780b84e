// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sources of a move that copies, removed in batches once their copies are on disk: one
// sync of each file system copied to per batch rather than an fsync per file (which costs
// many times the copying), and a source only while it is still the version that was copied.
// Paths are the file system's bytes.
#include <cstdint>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace sifter {

class MoveBatch {
public:
    using FailCallback = std::function<void(const std::string &path, std::string reason)>;

    MoveBatch() = default;
    ~MoveBatch();
    MoveBatch(const MoveBatch &) = delete;
    MoveBatch &operator=(const MoveBatch &) = delete;

    // source (not a folder), whose status when it was copied is copied, has a copy of bytes
    // bytes in folder, on file system copyDevice. True when the batch is full: Flush it.
    bool AddFile(const std::string &source, const struct stat &copied, const std::string &folder, dev_t copyDevice,
                 std::uint64_t bytes);
    // The folder source goes after what was added before it, when nothing is left in it.
    void AddFolder(const std::string &source);

    // Syncs the batch's copies, then removes their sources in the order added. A source whose
    // copy cannot be known to be on disk, or that changed since it was copied, stays, and fail
    // hears of it. keepGoing is asked between removals; false when it said stop. The batch is
    // finished all the same: its copies are complete, and a source left beside one would be
    // a file at two places.
    bool Flush(const std::function<bool()> &keepGoing, const FailCallback &fail);

private:
    struct Removal {
        std::string path;
        bool folder = false;
        struct stat copied {};
    };

    std::vector<Removal> removals_;
    std::size_t files_ = 0;
    std::uint64_t bytes_ = 0;
    std::vector<dev_t> devices_;                      // copied to in this batch
    std::vector<std::pair<dev_t, int>> syncHandles_;  // a folder on each file system copied to
};

} // namespace sifter
