#pragma once
// Listing a folder: its entries read once, in name order, with their data on demand.
#include "platform/file_time.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sifter {

// What a listing says about one entry (the find-data record of a result file's world).
struct EntryData {
    std::string name;      // long name
    std::string shortName; // 8.3 alias: always empty on Linux
    std::uint32_t attributes = 0; // kAttribute* bits
    FileTime creationTime = 0;
    FileTime lastAccessTime = 0;
    FileTime lastWriteTime = 0;
    std::uint32_t sizeHigh = 0;
    std::uint32_t sizeLow = 0;

    std::uint64_t Size() const { return (std::uint64_t{sizeHigh} << 32) | sizeLow; }
};

// True when the whole name matches the pattern, case-insensitively: "*" any run of
// characters (none too), "?" exactly one character (not byte), nothing else special.
// A pattern ending in ".*" also matches a name without a dot when the part before
// ".*" matches the whole name, so "*.*" matches every name.
bool PatternMatches(std::string_view pattern, std::string_view name);

// Fills entry data from lstat/statx of the path (attribute, size and time mapping of
// a directory entry; a link to a file gives its target's size). False when the entry
// cannot be examined (gone, no access).
bool ReadEntryData(const std::string &path, EntryData &out);

// The entries of one folder, read once when opened: "." and ".." included, ordered by
// name with ASCII letters folded to one case, ties by bytes. A folder that cannot be
// listed (missing, no access, not a folder, path too long) has no entries.
class FolderListing {
public:
    FolderListing();
    ~FolderListing();
    FolderListing(FolderListing &&) noexcept;
    FolderListing &operator=(FolderListing &&) noexcept;

    // Reads the folder's entries; false (and no entries) when it cannot be listed.
    bool Open(const std::string &folder);
    std::size_t Count() const;
    const std::string &Name(std::size_t index) const;
    // True when the entry is certainly a folder (not a link to one); may ask the file system.
    bool IsFolder(std::size_t index) const;
    // Full entry data of one entry, examined through the open folder; false when it is gone.
    bool Data(std::size_t index, EntryData &out) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Lists the entries of "folder/pattern" whose names match the pattern (PatternMatches),
// in name order, each with its data; entries that vanish before they can be examined
// are left out. A folder that cannot be listed gives an empty list.
std::vector<EntryData> ListFolder(const std::string &folder, std::string_view pattern);

} // namespace sifter
