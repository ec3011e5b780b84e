// SPDX-License-Identifier: GPL-3.0-or-later
// Content reads for the content test: regular files only, positioned reads.
#include "fs/file_reader.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace sifter {
namespace {

constexpr std::int64_t kMaxPosition = std::numeric_limits<std::int64_t>::max();
// read() moves at most this much at once anyway; asking for more only loops in the kernel.
constexpr std::size_t kMaxReadAtOnce = 0x7ffff000;
constexpr off_t kSequentialAdviceFrom = 256 * 1024;

} // namespace

FileReader::~FileReader()
{
    Close();
}

bool FileReader::Open(const std::string &path)
{
    return OpenAt(AT_FDCWD, path.c_str(), false);
}

bool FileReader::OpenAt(int folderFd, const char *name, bool knownRegular)
{
    Close();
    // Opening a device can act on it (a watchdog starts, a tape rewinds), so anything
    // but a regular file is refused before it is opened.
    struct stat status {};
    if (!knownRegular && (fstatat(folderFd, name, &status, 0) != 0 || !S_ISREG(status.st_mode)))
        return false;
    // Non-blocking, in case the entry was replaced by a FIFO since; regular files
    // ignore the flag, so it stays set.
    const int fd = openat(folderFd, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd); // read-only and unread: nothing to lose
        return false;
    }
    // Only advice, and only worth its call where read-ahead has room to help.
    if (status.st_size > kSequentialAdviceFrom)
        posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    fd_ = fd;
    position_ = 0;
    end_ = -1;
    sizeAtOpen_ = status.st_size;
    waited_ = false;
    waitKnown_ = true;
    return true;
}

void FileReader::Close()
{
    if (fd_ >= 0)
        close(fd_); // read-only: a failing close loses nothing
    fd_ = -1;
    position_ = 0;
    end_ = -1;
}

bool FileReader::Seek(std::int64_t offset)
{
    if (fd_ < 0 || offset < 0)
        return false;
    position_ = offset;
    return true;
}

bool FileReader::SeekRelative(std::int64_t delta)
{
    if (fd_ < 0)
        return false;
    if (delta > 0 ? delta > kMaxPosition - position_ : position_ + delta < 0)
        return false;
    position_ += delta;
    return true;
}

std::int64_t FileReader::Read(void *buffer, std::size_t size)
{
    if (fd_ < 0)
        return -1;
    auto *bytes = static_cast<char *>(buffer);
    const std::int64_t limit = end_ >= 0 ? end_ : kMaxPosition;
    std::int64_t total = 0;
    while (static_cast<std::size_t>(total) < size) {
        const std::int64_t at = position_ + total;
        if (at >= limit)
            break;
        const std::size_t wanted = std::min({size - static_cast<std::size_t>(total), kMaxReadAtOnce,
                                             static_cast<std::size_t>(limit - at)});
        const ssize_t got = ReadAt(bytes + total, wanted, at);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            end_ = at; // the file ends where it can no longer be read
            break;
        }
        if (got == 0)
            break;
        total += got;
        // A short read that reaches the size seen at opening is the end: asking again
        // would only hear so. A file that has grown since still gives full reads; files
        // reporting size 0 (/proc) may read in pieces, so they are read until nothing comes.
        if (sizeAtOpen_ > 0 && static_cast<std::size_t>(got) < wanted && at + got >= sizeAtOpen_)
            break;
    }
    position_ += total;
    return total;
}

ssize_t FileReader::ReadAt(char *buffer, std::size_t size, std::int64_t at)
{
    // Once it has waited the answer is known, and the rest of the file is most likely not in
    // the cache either: asking without waiting would only double the calls.
    if (waitKnown_ && !waited_) {
        iovec piece{buffer, size};
        const ssize_t got = preadv2(fd_, &piece, 1, at, RWF_NOWAIT);
        if (got >= 0 || errno == EINTR)
            return got;
        if (errno == EAGAIN)
            waited_ = true;
        else if (errno == EOPNOTSUPP || errno == EINVAL || errno == ENOSYS)
            waitKnown_ = false; // the file system (or kernel) cannot answer so
        else
            return got;
    }
    return pread(fd_, buffer, size, at);
}

std::int64_t FileReader::Size() const
{
    struct stat status {};
    if (fd_ < 0 || fstat(fd_, &status) != 0)
        return -1;
    return status.st_size;
}

} // namespace sifter
