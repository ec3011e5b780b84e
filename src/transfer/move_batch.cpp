// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/move_batch.h"

#include "transfer/entry_copier.h"
#include "transfer/transfer_tree.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace sifter {
namespace {

// Small enough that syncing a batch keeps the window responsive.
constexpr std::size_t kBatchFiles = 1000;
constexpr std::uint64_t kBatchBytes = 16ULL * 1024 * 1024;

} // namespace

MoveBatch::~MoveBatch()
{
    for (const auto &handle : syncHandles_)
        close(handle.second);  // only read from: nothing to lose
}

bool MoveBatch::AddFile(const std::string &source, const struct stat &copied, const std::string &folder,
                        dev_t copyDevice, std::uint64_t bytes)
{
    removals_.push_back({source, false, copied});
    if (std::find(devices_.begin(), devices_.end(), copyDevice) == devices_.end())
        devices_.push_back(copyDevice);
    const bool handled = std::any_of(syncHandles_.begin(), syncHandles_.end(),
                                     [copyDevice](const auto &handle) { return handle.first == copyDevice; });
    if (!handled) {
        const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        // Without a handle the sync falls back to syncing every file system.
        if (fd >= 0)
            syncHandles_.emplace_back(copyDevice, fd);
    }
    ++files_;
    bytes_ += bytes;
    return files_ >= kBatchFiles || bytes_ >= kBatchBytes;
}

void MoveBatch::AddFolder(const std::string &source)
{
    removals_.push_back({source, true, {}});
}

bool MoveBatch::Flush(const std::function<bool()> &keepGoing, const FailCallback &fail)
{
    bool goOn = true;
    int syncError = 0;
    for (const dev_t device : devices_) {
        int fd = -1;
        for (const auto &handle : syncHandles_)
            fd = handle.first == device ? handle.second : fd;
        if (fd < 0)
            sync();
        else if (syncfs(fd) != 0)
            syncError = errno;
    }
    for (const Removal &removal : removals_) {
        goOn = goOn && keepGoing();
        const char *path = removal.path.c_str();
        // The messages name the entry as %1 and give the system's text as %2.
        const auto failBecause = [&](CatalogueText message, int code) {
            fail(removal.path, ErrorMessage(message.Arg(removal.path), code));
        };
        struct stat now {};
        if (removal.folder) {
            // Not empty: something in it was skipped, failed or kept, and the folder stays with it.
            if (rmdir(path) != 0 && errno != ENOTEMPTY && errno != EEXIST && errno != ENOENT)
                failBecause(CatalogueText("Transfer", "could not remove the folder %1 after moving what it held: %2"),
                            errno);
        } else if (syncError != 0) {
            failBecause(CatalogueText("Transfer",
                                      "the copy of %1 could not be written to disk, so the original is kept: %2"),
                        syncError);
        } else if (lstat(path, &now) != 0) {
            // Gone meanwhile: its copy is all there is.
            if (errno != ENOENT)
                failBecause(CatalogueText("Transfer", "could not examine %1 to remove it after copying it: %2"), errno);
        } else if (!SameVersion(now, removal.copied)) {
            // Written to, or saved over, since its copy was made: the copy lacks the change.
            fail(removal.path, CatalogueText("Transfer", "changed during the move: kept at both places").Text());
        } else if (unlink(path) != 0 && errno != ENOENT) {
            failBecause(CatalogueText("Transfer", "could not remove %1 after copying it: %2"), errno);
        }
    }
    removals_.clear();
    devices_.clear();
    files_ = 0;
    bytes_ = 0;
    return goOn;
}

} // namespace sifter
