// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/file_content_copy.h"

#include "transfer/entry_copier.h"

#include <algorithm>
#include <cerrno>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>

namespace sifter {
namespace {

constexpr std::uint64_t kStepBytes = 1024 * 1024;
// st_blocks counts units of 512 bytes, whatever the file system's block size.
constexpr std::uint64_t kBlockUnit = 512;

// The answers of a file system that cannot do the call for this pair of files at all.
bool Unsupported(int error)
{
    return error == EXDEV || error == EOPNOTSUPP || error == EINVAL || error == ENOSYS || error == ENOTTY;
}

ContentCopyResult Failed(std::string &error, CatalogueText message, int code)
{
    error = ErrorMessage(std::move(message), code);
    return ContentCopyResult::kFailed;
}

ContentCopyResult NotWritten(std::string &error, int code)
{
    return Failed(error, CatalogueText("Transfer", "could not write the copy: %1"), code);
}

} // namespace

ContentCopier::Pair &ContentCopier::PairOf(dev_t from, dev_t to)
{
    for (Pair &pair : pairs_) {
        if (pair.from == from && pair.to == to)
            return pair;
    }
    pairs_.push_back({from, to});
    return pairs_.back();
}

ContentCopyResult ContentCopier::Copy(int in, const struct stat &status, int out, dev_t outDevice,
                                      const StepCallback &onStep, std::string &error)
{
    const auto size = static_cast<std::uint64_t>(status.st_size);
    if (size == 0)
        return ContentCopyResult::kCopied;
    Pair &pair = PairOf(status.st_dev, outDevice);
    if (pair.clone) {
        // Shares the blocks, holes and all, until either file changes: instant, and no space.
        if (ioctl(out, FICLONE, in) == 0)
            return ContentCopyResult::kCopied;
        if (Unsupported(errno))
            pair.clone = false;
        else if (ftruncate(out, 0) != 0)  // a clone that failed half way starts again empty
            return NotWritten(error, errno);
    }
    // A file with a block for every byte has no holes to look for (most files).
    bool sparse = static_cast<std::uint64_t>(status.st_blocks) * kBlockUnit < size;
    std::uint64_t offset = 0;
    std::uint64_t written = 0;  // where out's data ends
    while (offset < size) {
        std::uint64_t end = size;
        if (sparse) {
            const off_t data = lseek(in, static_cast<off_t>(offset), SEEK_DATA);
            if (data < 0 && errno != ENXIO) {
                sparse = false;  // holes cannot be found here: everything is data
            } else {
                // ENXIO: only a hole from offset on.
                const std::uint64_t dataStart = data < 0 ? size : std::min<std::uint64_t>(data, size);
                if (dataStart > offset) {
                    offset = dataStart;
                    if (offset < size && onStep && !onStep(offset))
                        return ContentCopyResult::kCancelled;
                    continue;
                }
                const off_t hole = lseek(in, static_cast<off_t>(offset), SEEK_HOLE);
                end = hole < 0 ? size : std::min<std::uint64_t>(hole, size);
            }
        }
        const std::uint64_t start = offset;
        const ContentCopyResult result = CopyData(in, out, offset, end, size, pair, onStep, error);
        if (result != ContentCopyResult::kCopied)
            return result;
        if (offset < end || offset == start)
            return ContentCopyResult::kCopied;  // in ended sooner
        written = offset;
    }
    // A hole at the end has no data to write: the length makes it.
    if (written < size && ftruncate(out, static_cast<off_t>(size)) != 0)
        return NotWritten(error, errno);
    return ContentCopyResult::kCopied;
}

// Copies in's bytes from offset to end to the same place in out, moving offset on; stops
// short where in ends.
ContentCopyResult ContentCopier::CopyData(int in, int out, std::uint64_t &offset, std::uint64_t end,
                                          std::uint64_t size, Pair &pair, const StepCallback &onStep,
                                          std::string &error)
{
    while (offset < end) {
        const std::size_t step = static_cast<std::size_t>(std::min(kStepBytes, end - offset));
        ssize_t done = 0;
        if (pair.copyRange) {
            auto from = static_cast<loff_t>(offset);
            auto to = static_cast<loff_t>(offset);
            done = copy_file_range(in, &from, out, &to, step, 0);
            // Two file systems that cannot (before Linux 5.19 or of different types), an old
            // kernel: reading and writing does the same, for this pair from here on.
            if (done < 0 && Unsupported(errno)) {
                pair.copyRange = false;
                continue;
            }
        } else {
            if (buffer_.empty())
                buffer_.resize(kStepBytes);
            done = pread(in, buffer_.data(), step, static_cast<off_t>(offset));
            for (ssize_t written = 0; done > 0 && written < done;) {
                const ssize_t part = pwrite(out, buffer_.data() + written, static_cast<std::size_t>(done - written),
                                            static_cast<off_t>(offset) + written);
                if (part < 0 && errno != EINTR)
                    return NotWritten(error, errno);
                written += std::max<ssize_t>(part, 0);
            }
        }
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return Failed(error, CatalogueText("Transfer", "could not copy: %1"), errno);
        }
        if (done == 0)
            return ContentCopyResult::kCopied;
        offset += static_cast<std::uint64_t>(done);
        if (offset < size && onStep && !onStep(offset))
            return ContentCopyResult::kCancelled;
    }
    return ContentCopyResult::kCopied;
}

} // namespace sifter
