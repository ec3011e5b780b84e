// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Listing a folder: its entries read once, in name order, with their data on demand.
#include "fs/file_identity.h"
#include "fs/file_reader.h"
#include "text/file_time.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sifter {

class SharedFolder;

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
    // What the data describes: a link's target where it leads somewhere, else the entry.
    FileIdentity identity;

    std::uint64_t Size() const { return (std::uint64_t{sizeHigh} << 32) | sizeLow; }
};

// True when the whole name matches the pattern, case-insensitively: "*" any run of
// characters (none too), "?" exactly one character (not byte), nothing else special.
// A pattern ending in ".*" also matches a name without a dot when the part before
// ".*" matches the whole name, so "*.*" matches every name.
bool PatternMatches(std::string_view pattern, std::string_view name);
// PatternMatches, also adding to steps the loop steps the matching took: at most
// 4 x (pattern bytes + 1) x (name bytes + 1), whatever the texts.
bool PatternMatchesCounting(std::string_view pattern, std::string_view name, std::size_t &steps);

// Fills entry data from statx of the path, not following a last link (a trailing "/"
// is ignored). A link gets the reparse bit plus its target's type, read-only bit, size
// and times; a dangling or looping link only the reparse (and hidden) bit, size 0 and
// its own times. False (out untouched) when the entry cannot be examined, errno then telling
// why (ENOENT: nothing there).
bool ReadEntryData(const std::string &path, EntryData &out);

// Opens name (relative to the folder open as at, or a path with AT_FDCWD) for listing,
// following a last link only when followLinks; -1 (errno set) when it cannot. FIFOs and
// devices are refused before they are opened, so it never blocks.
int OpenFolderAt(int at, const char *name, bool followLinks);

// The entries of one folder, read once when opened: "." and ".." included, ordered by
// name with ASCII letters folded to upper case ("_" after the letters), ties by bytes.
// A folder that cannot be listed (missing, no access, not a folder, path too long) has
// no entries; a read error part-way keeps the entries read before it.
class FolderListing {
public:
    FolderListing();
    ~FolderListing();
    FolderListing(FolderListing &&) noexcept;
    FolderListing &operator=(FolderListing &&) noexcept;

    // Reads the folder's entries, replacing any earlier ones; false (and no entries)
    // when it cannot be listed. The folder stays open until the next Open, Close or
    // destruction.
    bool Open(const std::string &folder);
    // The same for a folder already open as folderFd, which the listing takes over (and
    // closes at once when it cannot be listed). With abandon, reading stops (false, no
    // entries) once it is set.
    bool Adopt(int folderFd, const std::atomic<bool> *abandon = nullptr);
    // Forgets the entries and closes the folder.
    void Close();
    // The open folder's descriptor, owned by the listing; -1 when none is open.
    int Descriptor() const;
    // The open folder, for work that may outlive the listing (null when none is open).
    const std::shared_ptr<const SharedFolder> &Folder() const;
    // Examines every entry whose type the listing could not tell (as IsFolder would on
    // demand), so that nothing on the listing changes any more and threads may share it.
    void ResolveTypes();
    std::size_t Count() const;
    // The entry's name (valid while the listing keeps its entries); empty for an index past
    // the end.
    std::string_view Name(std::size_t index) const;
    // True when the entry is certainly a folder (not a link to one). Uses the listing's
    // entry type, asking the file system only where that is unknown.
    bool IsFolder(std::size_t index) const;
    // Full entry data of one entry (as ReadEntryData), examined relative to the open
    // folder even if it has been renamed since; false when the entry is gone.
    bool Data(std::size_t index, EntryData &out) const;
    // Opens the entry for the content test relative to the open folder (a link is
    // followed); false for anything but a regular file, as FileReader::Open.
    bool OpenForReading(std::size_t index, FileReader &reader) const;
    // False when the listing already tells that OpenForReading would refuse the entry
    // (folders, FIFOs, devices, sockets); knownRegular when it tells a regular file.
    bool MayOpenForReading(std::size_t index, bool &knownRegular) const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Lists the entries of the folder whose names match the pattern (PatternMatches),
// in name order, each with its data; entries that vanish before they can be examined
// are left out. A folder that cannot be listed gives an empty list.
std::vector<EntryData> ListFolder(const std::string &folder, std::string_view pattern);

} // namespace sifter
