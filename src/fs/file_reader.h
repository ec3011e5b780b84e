// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a file's content for the content test: regular files only, never blocking.
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>

namespace sifter {

class FileReader {
public:
    FileReader() = default;
    ~FileReader();
    FileReader(const FileReader &) = delete;
    FileReader &operator=(const FileReader &) = delete;

    // Opens a regular file (following links) for reading; false for folders, FIFOs,
    // devices, sockets and anything that cannot be opened. Never blocks.
    bool Open(const std::string &path);
    // The same for name relative to an open folder. knownRegular says the folder's
    // listing already gave the entry as a regular file, which saves examining it first.
    bool OpenAt(int folderFd, const char *name, bool knownRegular);
    bool IsOpen() const { return fd_ >= 0; }
    void Close();

    // Positions at offset bytes from the beginning (past the end is allowed); false
    // when not open or the offset is negative.
    bool Seek(std::int64_t offset);
    // Moves the position by delta bytes; false (position unchanged) when not open or
    // the result would be negative or overflow.
    bool SeekRelative(std::int64_t delta);
    // Reads up to size bytes at the position and advances it; fewer only at the end of
    // the file. A read error ends the file where it happened, for every later read too.
    // Returns the number of bytes read, or -1 when not open.
    std::int64_t Read(void *buffer, std::size_t size);
    // The file's size in bytes as the file system reports it, or -1 when not open.
    std::int64_t Size() const;
    // Its size as it was when opened, without asking the file system again.
    std::int64_t SizeAtOpen() const { return sizeAtOpen_; }
    // Whether a read since opening had to wait for the data to come from the disk (it was
    // not in the page cache). Only where WaitKnown: the file system tells (most local ones
    // do); elsewhere false.
    bool WaitedForData() const { return waited_; }
    bool WaitKnown() const { return waitKnown_; }

private:
    // One read at the position, asking first without waiting while that can tell.
    ssize_t ReadAt(char *buffer, std::size_t size, std::int64_t at);

    int fd_ = -1;
    std::int64_t position_ = 0;
    std::int64_t end_ = -1; // where a read failed; -1 while none has
    std::int64_t sizeAtOpen_ = 0;
    bool waited_ = false;
    bool waitKnown_ = true;
};

} // namespace sifter
