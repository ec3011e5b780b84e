// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// FoundFile: one found file. FoundFileRecord is the 672 bytes a result file stores of it;
// the whole texts and the list links exist only in memory.
#include "search/text_field.h"
#include "text/file_time.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

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

// What the allocator takes for a block of requested bytes: glibc's blocks carry 8 bytes of
// bookkeeping and are multiples of 16 bytes, at least 32.
std::size_t HeapBlockBytes(std::size_t requested);

// The stored bytes, little-endian, byte for byte.
FoundFileBytes EncodeFoundFile(const FoundFileRecord &record);
// The record from stored bytes; the last byte of each text field is forced to NUL.
FoundFileRecord DecodeFoundFile(const FoundFileBytes &bytes);

// A text that many records hold alike (the folder of a folder's files, a type name), kept
// once and shared.
using SharedText = std::shared_ptr<const std::string>;

// A found file in memory. The stored record's numbers as they are; its texts apart, the
// name and folder whole (also when longer than their fields), the folder and type name
// shared with the records that have the same: a million rows of fixed 672-byte records
// took 760 MB, and making that memory cost more time than reading the records.
// Owned by the FileSearch whose list holds it (owner); rows of a view hold it without
// owning it. A new record is empty: no texts, every number zero.
struct FoundFile {
    std::uint64_t size = 0;
    FileTime lastWriteTime = 0; // UTC
    FileTime creationTime = 0;
    FileTime lastAccessTime = 0;
    std::uint32_t attributes = 0; // kAttribute* bits
    std::int64_t matchOffset = 0; // file offset of the content match; 0 without a content test
    FoundFile *next = nullptr;
    FoundFile *prev = nullptr;
    FileSearch *owner = nullptr;
    // The record's row in the results list, kept there for a lookup without a search;
    // -1 or stale when it has none (the list checks it against its own row).
    int viewRow = -1;

    // The whole long name; the stored field holds its start when it is longer.
    std::string_view Name() const { return name_; }
    // The whole folder searched, no trailing "/" (except "/"), likewise.
    std::string_view Folder() const { return folder_ ? std::string_view(*folder_) : std::string_view(); }
    std::string_view TypeName() const { return typeName_ ? std::string_view(*typeName_) : std::string_view(); }
    // The 8.3 alias; always empty for files found on Linux.
    std::string_view ShortName() const { return TextField(shortName_); }
    // Folder and name joined with one "/".
    std::string Path() const;

    void SetName(std::string_view name) { name_.assign(name); }
    void TakeName(std::string &&name) { name_ = std::move(name); }
    void SetFolder(std::string_view folder);
    void SetFolder(SharedText folder) { folder_ = std::move(folder); }
    const SharedText &SharedFolder() const { return folder_; }
    // Cut to its field (at a character boundary), as a saved file would hold it.
    void SetTypeName(std::string_view typeName);
    void SetTypeName(SharedText typeName);
    const SharedText &SharedTypeName() const { return typeName_; }
    void SetShortName(std::string_view shortName) { SetTextField(shortName_, shortName); }

    // True when the name or the folder is longer than its stored field.
    bool HasLongTexts() const;
    // Bytes the record takes from the allocator beyond the texts it shares: the struct and
    // its name's buffer, each as the allocator rounds it.
    std::size_t MemoryFootprint() const;

    // The stored record: the numbers, and the texts cut to their fields.
    FoundFileRecord Stored() const;
    // Takes the stored record's numbers and texts (the shared ones through texts, which
    // keeps one copy of each text among the records it fills).
    class TextShare;
    void SetStored(const FoundFileRecord &record, TextShare *folders = nullptr, TextShare *typeNames = nullptr);

private:
    std::string name_;
    SharedText folder_;
    SharedText typeName_;
    char shortName_[kFoundShortNameSize] = {};
};

// Hands out one SharedText per distinct text, remembering at most kMaxTexts of them (so a
// file of a million different type names costs a million texts, not a million map entries
// on top). The last text handed out is checked first: records come folder by folder.
class FoundFile::TextShare {
public:
    static constexpr std::size_t kMaxTexts = 4096;
    SharedText Share(std::string_view text);
    // Bytes the texts it made take from the allocator (each counted once, however many
    // records share it).
    std::size_t MadeBytes() const { return madeBytes_; }

private:
    SharedText last_;
    std::unordered_map<std::string_view, SharedText> known_;
    std::size_t madeBytes_ = 0;
};

} // namespace sifter
