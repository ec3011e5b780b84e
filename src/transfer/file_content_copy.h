// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Copying the bytes of one plain file into another: holes stay holes, and the kernel does
// the copying where the two file systems let it (a clone, copy_file_range), in steps of at
// most a megabyte between which the caller may stop it.
#include <cstdint>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace sifter {

enum class ContentCopyResult { kCopied, kCancelled, kFailed };

// Keeps what it learns about each pair of file systems (no clone, no copy_file_range) for
// the copies that follow, and one buffer; one per run, not shared between threads.
class ContentCopier {
public:
    // Told the bytes done so far after each step while more is to come (a hole counts as
    // done, unread); false stops the copy.
    using StepCallback = std::function<bool(std::uint64_t)>;

    // Makes out, an empty file open for writing on file system outDevice, hold the first
    // status.st_size bytes of in (a plain file open for reading, status its fstat), with holes
    // where in has them. Stops early, without an error, where in ends sooner (it shrank: the
    // caller's size check tells). error says why on kFailed; out is then to be thrown away.
    ContentCopyResult Copy(int in, const struct stat &status, int out, dev_t outDevice, const StepCallback &onStep,
                           std::string &error);

private:
    struct Pair {
        dev_t from = 0;
        dev_t to = 0;
        bool clone = true;      // FICLONE not refused yet
        bool copyRange = true;  // copy_file_range not refused yet
    };

    Pair &PairOf(dev_t from, dev_t to);
    ContentCopyResult CopyData(int in, int out, std::uint64_t &offset, std::uint64_t end, std::uint64_t size,
                               Pair &pair, const StepCallback &onStep, std::string &error);

    std::vector<Pair> pairs_;
    std::vector<char> buffer_;
};

} // namespace sifter
