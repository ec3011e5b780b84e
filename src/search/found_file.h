#pragma once
// FoundFile: one found file. Its first 672 bytes (FoundFileRecord) are what the result file
// stores; the full name and folder and the list links exist only in memory.
#include "platform/file_time.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sifter {

class FileSearch;

inline constexpr std::size_t kFoundNameSize = 260;
inline constexpr std::size_t kFoundFolderSize = 268;
inline constexpr std::size_t kFoundTypeNameSize = 80;
inline constexpr std::size_t kFoundShortNameSize = 14;
inline constexpr std::size_t kFoundFileRecordSize = 672;

// The stored part, in host order; EncodeFoundFile/DecodeFoundFile give its stored bytes.
struct FoundFileRecord {
    char name[kFoundNameSize];     // long name, cut at a character boundary if longer
    char folder[kFoundFolderSize]; // the folder searched, no trailing "/" (except "/")
    std::uint64_t size;
    char typeName[kFoundTypeNameSize];
    FileTime lastWriteTime; // UTC
    FileTime creationTime;
    FileTime lastAccessTime;
    std::uint32_t attributes; // kAttribute* bits
    char shortName[kFoundShortNameSize]; // always empty on Linux
    std::uint8_t padding[6];
    std::int64_t matchOffset; // file offset of the content match; 0 without a content test
};

static_assert(sizeof(FoundFileRecord) == kFoundFileRecordSize);
static_assert(offsetof(FoundFileRecord, name) == 0);
static_assert(offsetof(FoundFileRecord, folder) == 260);
static_assert(offsetof(FoundFileRecord, size) == 528);
static_assert(offsetof(FoundFileRecord, typeName) == 536);
static_assert(offsetof(FoundFileRecord, lastWriteTime) == 616);
static_assert(offsetof(FoundFileRecord, creationTime) == 624);
static_assert(offsetof(FoundFileRecord, lastAccessTime) == 632);
static_assert(offsetof(FoundFileRecord, attributes) == 640);
static_assert(offsetof(FoundFileRecord, shortName) == 644);
static_assert(offsetof(FoundFileRecord, padding) == 658);
static_assert(offsetof(FoundFileRecord, matchOffset) == 664);

using FoundFileBytes = std::array<std::uint8_t, kFoundFileRecordSize>;

// The stored bytes, little-endian, byte for byte.
FoundFileBytes EncodeFoundFile(const FoundFileRecord &record);
// The record from stored bytes; the last byte of each text field is forced to NUL.
FoundFileRecord DecodeFoundFile(const FoundFileBytes &bytes);

// A found file. Zero in every stored byte when created. Owned by the FileSearch whose list
// holds it (owner); rows of a view hold it without owning it.
struct FoundFile {
    FoundFileRecord stored{};
    FoundFile *next = nullptr;
    FoundFile *prev = nullptr;
    FileSearch *owner = nullptr;
    // The record's row in the results list, kept there for a lookup without a search;
    // -1 or stale when it has none (the list checks it against its own row).
    int viewRow = -1;

    // The whole long name: the field's text, or the full text when it did not fit.
    std::string_view Name() const;
    // The whole folder, likewise.
    std::string_view Folder() const;
    // Folder and name joined with one "/".
    std::string Path() const;
    // Sets the name field (cut at a character boundary) and keeps the whole text.
    void SetName(std::string_view name);
    void SetFolder(std::string_view folder);
    // True when the name or the folder is longer than its field.
    bool HasLongTexts() const { return !longName_.empty() || !longFolder_.empty(); }
    // Bytes the record takes in memory: the struct and the buffers of its long texts.
    std::size_t MemoryFootprint() const;

private:
    // Only set when the text does not fit its field; empty otherwise.
    std::string longName_;
    std::string longFolder_;
};

} // namespace sifter
