// SPDX-License-Identifier: GPL-3.0-or-later
// A folder's entries, read once with their d_type; anything more is examined on demand.
#include "fs/folder_listing.h"

#include "fs/entry_data.h"
#include "fs/shared_folder.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

inline unsigned char FoldedAscii(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - ('a' - 'A')) : byte;
}

// The first 8 bytes of a name, folded, as one number that orders as they do; a shorter name
// ends in zeros, which come before any byte of a name. Most comparisons end with it.
std::uint64_t SortKey(std::string_view name)
{
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < sizeof key; ++i)
        key = (key << 8) | (i < name.size() ? FoldedAscii(name[i]) : 0);
    return key;
}

// The names of a listing lie one after another in one block, each ended by a NUL: a
// string of its own for each allocated memory for 44% of the names of /usr (longer than
// the 15 bytes a string holds in place), and made the entries 40 bytes instead of 8.
using NameBlock = std::vector<char>;

struct Entry {
    std::uint32_t nameAt;   // in the listing's name block
    std::uint16_t nameSize; // without the NUL
    // d_type; DT_UNKNOWN is resolved the first time it is asked for.
    mutable unsigned char type = DT_UNKNOWN;
    mutable bool examined = false; // asked for once, whatever the answer

    std::string_view Name(const NameBlock &names) const { return {names.data() + nameAt, nameSize}; }
    const char *NameText(const NameBlock &names) const { return names.data() + nameAt; }
};

// Name order: ASCII letters folded to upper case, the same names then by their bytes.
// Names in one folder often share long beginnings (a package's files): alike bytes are
// skipped eight at a time.
bool NameBefore(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common;) {
        if (common - i >= sizeof(std::uint64_t)) {
            std::uint64_t left = 0;
            std::uint64_t right = 0;
            std::memcpy(&left, a.data() + i, sizeof left);
            std::memcpy(&right, b.data() + i, sizeof right);
            if (left == right) {
                i += sizeof left;
                continue;
            }
            // The first byte that differs (the lowest one in memory order).
            const std::uint64_t differ = left ^ right;
            i += static_cast<std::size_t>(
                     std::endian::native == std::endian::little ? std::countr_zero(differ) : std::countl_zero(differ)) /
                 8;
        } else if (a[i] == b[i]) {
            ++i;
            continue;
        }
        const unsigned char left = FoldedAscii(a[i]);
        const unsigned char right = FoldedAscii(b[i]);
        if (left != right)
            return left < right;
        ++i; // the same letter in another case
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b; // char_traits<char> compares as unsigned bytes
}


// Between these many entries a listing is sorted by reference (a key of its first bytes and
// its place, 16 bytes an entry), which decides most comparisons without reading the names:
// comparing the names where they lie took twice as long in folders of /usr. Past the upper
// bound the references would cost more memory than a few MB.
constexpr std::size_t kSortedInPlace = 32;
constexpr std::size_t kMostSortedByReference = 64 * 1024;

void SortEntries(std::vector<Entry> &entries, const NameBlock &names)
{
    if (entries.size() <= kSortedInPlace || entries.size() > kMostSortedByReference) {
        std::sort(entries.begin(), entries.end(),
                  [&names](const Entry &a, const Entry &b) { return NameBefore(a.Name(names), b.Name(names)); });
        return;
    }
    struct Slot {
        std::uint64_t key;
        std::uint32_t index; // of the entry that goes here
    };
    std::vector<Slot> slots(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        slots[i] = Slot{SortKey(entries[i].Name(names)), static_cast<std::uint32_t>(i)};
    std::sort(slots.begin(), slots.end(), [&entries, &names](const Slot &a, const Slot &b) {
        return a.key != b.key ? a.key < b.key : NameBefore(entries[a.index].Name(names), entries[b.index].Name(names));
    });
    std::vector<Entry> sorted;
    sorted.reserve(entries.size());
    for (const Slot &slot : slots)
        sorted.push_back(entries[slot.index]);
    entries.swap(sorted);
}

// What one read of the folder's records takes: as much as a directory stream reads at once.
constexpr std::size_t kRecordBufferBytes = 32 * 1024;

// Appends the entries of the folder's records to entries, their names to names; false when
// the folder cannot be read as one (or abandon was set). A read error part-way ends the
// entries where it happened, and so would names past the block's 4 GB.
bool ReadEntries(int folderFd, std::vector<Entry> &entries, NameBlock &names, const std::atomic<bool> *abandon)
{
    alignas(dirent64) char buffer[kRecordBufferBytes];
    for (bool first = true;; first = false) {
        if (abandon && abandon->load(std::memory_order_relaxed))
            return false;
        const ssize_t got = getdents64(folderFd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        // Read directly rather than through a directory stream, which examines the folder
        // and its descriptor's mode first: two more system calls for every folder.
        if (got < 0 && first && errno == ENOTDIR)
            return false;
        if (got <= 0)
            return true;
        for (ssize_t at = 0; at < got;) {
            dirent64 record;
            std::memcpy(&record, buffer + at, offsetof(dirent64, d_name));
            // As readdir does: records of deleted entries carry no inode.
            if (record.d_ino != 0) {
                const char *name = buffer + at + offsetof(dirent64, d_name);
                const std::size_t size = strnlen(name, record.d_reclen - offsetof(dirent64, d_name));
                if (size > UINT16_MAX || names.size() + size + 1 > UINT32_MAX)
                    return true;
                entries.push_back(Entry{static_cast<std::uint32_t>(names.size()), static_cast<std::uint16_t>(size),
                                        record.d_type});
                names.insert(names.end(), name, name + size);
                names.push_back('\0'); // also where a record's name filled it to the end
            }
            at += record.d_reclen;
        }
    }
}

} // namespace

struct FolderListing::State {
    std::shared_ptr<const SharedFolder> folder; // kept open: entries are examined relative to it
    std::vector<Entry> entries;
    NameBlock names;

    void Close()
    {
        folder.reset();
        entries.clear();
        names.clear();
    }
    int FolderFd() const { return folder ? folder->Descriptor() : -1; }
};

FolderListing::FolderListing() : state_(std::make_unique<State>()) {}
FolderListing::~FolderListing() = default;
FolderListing::FolderListing(FolderListing &&) noexcept = default;
FolderListing &FolderListing::operator=(FolderListing &&) noexcept = default;

int OpenFolderAt(int at, const char *name, bool followLinks)
{
    // O_DIRECTORY refuses FIFOs and devices before they are opened, so nothing blocks.
    return openat(at, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW));
}

bool FolderListing::Open(const std::string &folder)
{
    Close();
    const int fd = OpenFolderAt(AT_FDCWD, folder.c_str(), true);
    return fd >= 0 && Adopt(fd);
}

bool FolderListing::Adopt(int folderFd, const std::atomic<bool> *abandon)
{
    Close();
    if (folderFd < 0)
        return false;
    state_->folder = SharedFolder::Adopt(folderFd);
    if (!state_->folder || !ReadEntries(folderFd, state_->entries, state_->names, abandon)) {
        Close();
        return false;
    }
    SortEntries(state_->entries, state_->names);
    return true;
}

const std::shared_ptr<const SharedFolder> &FolderListing::Folder() const
{
    static const std::shared_ptr<const SharedFolder> kNone;
    return state_ ? state_->folder : kNone;
}

void FolderListing::ResolveTypes()
{
    for (std::size_t i = 0; i < Count(); ++i)
        (void)IsFolder(i); // resolves an unknown type as a side effect; the answer is not needed here
}

void FolderListing::Close()
{
    if (!state_)
        state_ = std::make_unique<State>();
    state_->Close();
}

int FolderListing::Descriptor() const
{
    return state_ ? state_->FolderFd() : -1;
}

std::size_t FolderListing::Count() const
{
    return state_ ? state_->entries.size() : 0;
}

std::string_view FolderListing::Name(std::size_t index) const
{
    return index < Count() ? state_->entries[index].Name(state_->names) : std::string_view();
}

bool FolderListing::IsFolder(std::size_t index) const
{
    if (index >= Count())
        return false;
    const Entry &entry = state_->entries[index];
    if (entry.type == DT_UNKNOWN && !entry.examined) {
        // Some file systems leave d_type out; only then is the entry examined, and once.
        entry.examined = true;
        struct stat status {};
        if (fstatat(state_->FolderFd(), entry.NameText(state_->names), &status, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT) != 0)
            return false; // gone or inaccessible: nothing to descend into
        entry.type = static_cast<unsigned char>(IFTODT(status.st_mode));
    }
    return entry.type == DT_DIR;
}

bool FolderListing::Data(std::size_t index, EntryData &out) const
{
    if (index >= Count())
        return false;
    const Entry &entry = state_->entries[index];
    return ReadEntryDataAt(state_->FolderFd(), entry.NameText(state_->names), entry.Name(state_->names), out);
}

bool FolderListing::OpenForReading(std::size_t index, FileReader &reader) const
{
    bool knownRegular = false;
    if (!MayOpenForReading(index, knownRegular)) {
        reader.Close();
        return false;
    }
    return reader.OpenAt(state_->FolderFd(), state_->entries[index].NameText(state_->names), knownRegular);
}

bool FolderListing::MayOpenForReading(std::size_t index, bool &knownRegular) const
{
    if (index >= Count())
        return false;
    const unsigned char type = state_->entries[index].type;
    knownRegular = type == DT_REG;
    // Folders, FIFOs, devices and sockets are never read.
    return type == DT_REG || type == DT_LNK || type == DT_UNKNOWN;
}

std::vector<EntryData> ListFolder(const std::string &folder, std::string_view pattern)
{
    std::vector<EntryData> result;
    FolderListing listing;
    if (!listing.Open(folder))
        return result;
    for (std::size_t i = 0; i < listing.Count(); ++i) {
        if (!PatternMatches(pattern, listing.Name(i)))
            continue;
        EntryData data;
        if (listing.Data(i, data))
            result.push_back(std::move(data));
    }
    return result;
}

} // namespace sifter
