// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small byte streams for the result file, so that it can be read and written from files
// or from memory (tests, fuzzing).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace sifter {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Back to the first byte; false on error.
    virtual bool Rewind() = 0;
    // Reads up to size bytes; fewer only at the end or on an error. Returns the count.
    virtual std::size_t Read(void *buffer, std::size_t size) = 0;
    // Moves forward by count bytes; moving past the end is allowed and leaves nothing to read.
    virtual void Skip(std::uint64_t count) = 0;
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Back to the first byte; what follows replaces the stream's content. False on error.
    virtual bool Rewind() = 0;
    // Writes all size bytes; false on error.
    virtual bool Write(const void *buffer, std::size_t size) = 0;
};

// Reads bytes held by the caller, who keeps them alive.
class MemorySource final : public ByteSource {
public:
    MemorySource(const void *data, std::size_t size);
    bool Rewind() override;
    std::size_t Read(void *buffer, std::size_t size) override;
    void Skip(std::uint64_t count) override;

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// Collects written bytes in memory.
class MemorySink final : public ByteSink {
public:
    bool Rewind() override;
    bool Write(const void *buffer, std::size_t size) override;
    const std::vector<std::uint8_t> &Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// Reads an open stdio stream owned by the caller.
class StdioSource final : public ByteSource {
public:
    explicit StdioSource(std::FILE *file) : file_(file) {}
    bool Rewind() override;
    std::size_t Read(void *buffer, std::size_t size) override;
    void Skip(std::uint64_t count) override;

private:
    std::FILE *file_;
};

// Writes an open stdio stream owned by the caller (opened for writing, truncated).
class StdioSink final : public ByteSink {
public:
    explicit StdioSink(std::FILE *file) : file_(file) {}
    bool Rewind() override;
    bool Write(const void *buffer, std::size_t size) override;

private:
    std::FILE *file_;
    std::uint64_t written_ = 0;
};

} // namespace sifter
