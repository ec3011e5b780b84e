// SPDX-License-Identifier: GPL-3.0-or-later
// A folder's entries, read once with their d_type; anything more is examined on demand.
#include "fs/folder_listing.h"

#include "fs/entry_data.h"
#include "fs/shared_folder.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

struct Entry {
    std::string name;
    // d_type; DT_UNKNOWN is resolved the first time it is asked for.
    mutable unsigned char type = DT_UNKNOWN;
    mutable bool examined = false; // asked for once, whatever the answer
};

inline unsigned char FoldedAscii(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - ('a' - 'A')) : byte;
}

// Name order: ASCII letters folded to upper case, the same names then by their bytes.
bool NameBefore(const Entry &a, const Entry &b)
{
    const std::size_t common = std::min(a.name.size(), b.name.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (a.name[i] == b.name[i])
            continue; // most bytes compared are alike: no folding for them
        const unsigned char left = FoldedAscii(a.name[i]);
        const unsigned char right = FoldedAscii(b.name[i]);
        if (left != right)
            return left < right;
    }
    if (a.name.size() != b.name.size())
        return a.name.size() < b.name.size();
    return a.name < b.name; // char_traits<char> compares as unsigned bytes
}

// What one read of the folder's records takes: as much as a directory stream reads at once.
constexpr std::size_t kRecordBufferBytes = 32 * 1024;

// Appends the entries of the folder's records to entries; false when the folder cannot be
// read as one (or abandon was set). A read error part-way ends the entries where it happened.
bool ReadEntries(int folderFd, std::vector<Entry> &entries, const std::atomic<bool> *abandon)
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
            if (record.d_ino != 0)
                entries.push_back(Entry{buffer + at + offsetof(dirent64, d_name), record.d_type});
            at += record.d_reclen;
        }
    }
}

} // namespace

struct FolderListing::State {
    std::shared_ptr<const SharedFolder> folder; // kept open: entries are examined relative to it
    std::vector<Entry> entries;

    void Close()
    {
        folder.reset();
        entries.clear();
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
    if (!state_->folder || !ReadEntries(folderFd, state_->entries, abandon)) {
        Close();
        return false;
    }
    std::sort(state_->entries.begin(), state_->entries.end(), NameBefore);
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

const std::string &FolderListing::Name(std::size_t index) const
{
    static const std::string kNoName;
    return index < Count() ? state_->entries[index].name : kNoName;
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
        if (fstatat(state_->FolderFd(), entry.name.c_str(), &status, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT) != 0)
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
    return ReadEntryDataAt(state_->FolderFd(), entry.name.c_str(), entry.name, out);
}

bool FolderListing::OpenForReading(std::size_t index, FileReader &reader) const
{
    bool knownRegular = false;
    if (!MayOpenForReading(index, knownRegular)) {
        reader.Close();
        return false;
    }
    return reader.OpenAt(state_->FolderFd(), state_->entries[index].name.c_str(), knownRegular);
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
