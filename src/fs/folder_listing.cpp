// A folder's entries, read once with their d_type; anything more is examined on demand.
#include "fs/folder_listing.h"

#include "fs/entry_data.h"

#include <algorithm>
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
        const unsigned char left = FoldedAscii(a.name[i]);
        const unsigned char right = FoldedAscii(b.name[i]);
        if (left != right)
            return left < right;
    }
    if (a.name.size() != b.name.size())
        return a.name.size() < b.name.size();
    return a.name < b.name; // char_traits<char> compares as unsigned bytes
}

} // namespace

struct FolderListing::State {
    DIR *folder = nullptr; // kept open: entries are examined relative to it
    std::vector<Entry> entries;

    ~State() { Close(); }
    void Close()
    {
        // A failing close of a folder opened for reading loses nothing.
        if (folder)
            closedir(folder);
        folder = nullptr;
        entries.clear();
    }
    int FolderFd() const { return folder ? dirfd(folder) : -1; }
};

FolderListing::FolderListing() : state_(std::make_unique<State>()) {}
FolderListing::~FolderListing() = default;
FolderListing::FolderListing(FolderListing &&) noexcept = default;
FolderListing &FolderListing::operator=(FolderListing &&) noexcept = default;

bool FolderListing::Open(const std::string &folder)
{
    Close();
    // O_DIRECTORY refuses FIFOs and devices before they are opened, so nothing blocks.
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return fd >= 0 && Adopt(fd);
}

bool FolderListing::Adopt(int folderFd)
{
    Close();
    if (folderFd < 0)
        return false;
    DIR *stream = fdopendir(folderFd);
    if (!stream) {
        close(folderFd); // nothing was read through it
        return false;
    }
    state_->folder = stream;
    std::vector<Entry> &entries = state_->entries;
    for (;;) {
        const dirent *record = readdir(stream);
        // A read error ends the listing with the entries read so far, as a listing
        // that stops early would.
        if (!record)
            break;
        entries.push_back(Entry{record->d_name, record->d_type});
    }
    std::sort(entries.begin(), entries.end(), NameBefore);
    return true;
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
    if (entry.type == DT_UNKNOWN) {
        // Some file systems leave d_type out; only then is the entry examined.
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
