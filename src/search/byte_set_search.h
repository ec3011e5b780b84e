// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding several byte strings in a buffer in one pass (Hyperscan's literal matcher: time
// linear in the buffer and memory bounded by the strings, whatever the data). A scan tells
// which strings occur and where one occurrence of each ends, not which occurrence comes
// first: the order in which a scan reports is not promised.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace sifter {

// Strings prepared once, then scanned for by any number of threads at once.
class BytePatternSet {
public:
    // The set of patterns (each non-empty; a pattern's index is its place in the list), or
    // null when it cannot be made here: an empty list, an empty pattern, a processor the
    // matcher does not run on, out of memory.
    static std::shared_ptr<const BytePatternSet> Make(const std::vector<std::string> &patterns);
    ~BytePatternSet();
    BytePatternSet(const BytePatternSet &) = delete;
    BytePatternSet &operator=(const BytePatternSet &) = delete;

    std::size_t Size() const { return size_; }

private:
    friend class BytePatternScanner;
    struct Database;
    BytePatternSet(std::unique_ptr<Database> database, std::size_t size);

    std::unique_ptr<Database> database_;
    std::size_t size_;
};

// Told of the patterns a scan finds.
class BytePatternSink {
public:
    // The pattern occurs in the buffer, and one of its occurrences ends at end (one past its
    // last byte); told at most once per pattern and scan. Returning false ends the scan.
    virtual bool Occurs(std::size_t pattern, std::size_t end) = 0;

protected:
    ~BytePatternSink() = default;
};

// One thread's scans of a set, with the working memory they need, made once.
class BytePatternScanner {
public:
    // Holds the set; Ready() is false when there is no set or its memory could not be had.
    explicit BytePatternScanner(std::shared_ptr<const BytePatternSet> set);
    ~BytePatternScanner();
    BytePatternScanner(const BytePatternScanner &) = delete;
    BytePatternScanner &operator=(const BytePatternScanner &) = delete;

    bool Ready() const { return scratch_ != nullptr; }
    // Tells sink of every pattern that occurs in buffer[0 .. length), until it says stop;
    // false when the scan could not be made (then what was told is not the whole answer).
    bool Scan(const char *buffer, std::size_t length, BytePatternSink &sink);

private:
    struct Scratch;
    std::shared_ptr<const BytePatternSet> set_;
    std::unique_ptr<Scratch> scratch_;
};

} // namespace sifter
