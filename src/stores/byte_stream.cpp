// SPDX-License-Identifier: GPL-3.0-or-later
#include "stores/byte_stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/types.h>

namespace sifter {

MemorySource::MemorySource(const void *data, std::size_t size)
    : data_(static_cast<const std::uint8_t *>(data)), size_(size)
{
}

bool MemorySource::Rewind()
{
    position_ = 0;
    return true;
}

std::size_t MemorySource::Read(void *buffer, std::size_t size)
{
    const std::size_t count = std::min(size, size_ - position_);
    if (count > 0)
        std::memcpy(buffer, data_ + position_, count);
    position_ += count;
    return count;
}

void MemorySource::Skip(std::uint64_t count)
{
    position_ = count >= size_ - position_ ? size_ : position_ + static_cast<std::size_t>(count);
}

bool MemorySink::Rewind()
{
    bytes_.clear();
    return true;
}

bool MemorySink::Write(const void *buffer, std::size_t size)
{
    if (size == 0)
        return true;
    const auto *bytes = static_cast<const std::uint8_t *>(buffer);
    bytes_.insert(bytes_.end(), bytes, bytes + size);
    return true;
}

bool StdioSource::Rewind()
{
    return fseeko(file_, 0, SEEK_SET) == 0;
}

std::size_t StdioSource::Read(void *buffer, std::size_t size)
{
    return std::fread(buffer, 1, size, file_);
}

void StdioSource::Skip(std::uint64_t count)
{
    constexpr std::uint64_t kMaxSeek = static_cast<std::uint64_t>(INT64_MAX);
    if (count <= kMaxSeek && fseeko(file_, static_cast<off_t>(count), SEEK_CUR) == 0)
        return;
    // Not seekable (a pipe): read and drop until the count or the end is reached.
    char scratch[4096];
    while (count > 0) {
        const std::size_t got = std::fread(scratch, 1, static_cast<std::size_t>(std::min<std::uint64_t>(count, sizeof scratch)), file_);
        if (got == 0)
            return;
        count -= got;
    }
}

bool StdioSink::Rewind()
{
    if (fseeko(file_, 0, SEEK_SET) == 0)
        return true;
    // A pipe cannot be positioned; it is fine as long as nothing was written to it yet.
    return errno == ESPIPE && written_ == 0;
}

bool StdioSink::Write(const void *buffer, std::size_t size)
{
    if (size == 0)
        return true;
    const std::size_t done = std::fwrite(buffer, 1, size, file_);
    written_ += done;
    return done == size;
}

} // namespace sifter
