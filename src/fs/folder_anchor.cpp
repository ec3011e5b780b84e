// SPDX-License-Identifier: GPL-3.0-or-later
// Folder anchors: descriptors of listed folders, a bounded number kept open, the others
// reached again through openat from the nearest open ancestor.
#include "fs/folder_anchor.h"

#include "fs/descriptor_limit.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <list>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sifter {
namespace {

constexpr std::size_t kMostKeptOpen = 256;
// The walk leaves the other three quarters of the process's descriptors to the rest of it.
constexpr std::size_t kShareOfDescriptorLimit = 4;

std::size_t DefaultKeptOpen()
{
    return std::min(kMostKeptOpen, DescriptorLimit(kMostKeptOpen * kShareOfDescriptorLimit) / kShareOfDescriptorLimit);
}

bool OutOfDescriptors(int error)
{
    return error == EMFILE || error == ENFILE;
}

} // namespace

// Known only here, so its members are open to the anchors' own code.
class FolderAnchor {
public:
    FolderAnchor(std::shared_ptr<FolderAnchors::Budget> budget, FolderAnchorRef parent, std::string_view name,
                 const FileIdentity &identity)
        : budget_(std::move(budget)), parent_(std::move(parent)), name_(name),
          device_(static_cast<dev_t>(identity.device)), inode_(static_cast<ino_t>(identity.inode))
    {
    }
    ~FolderAnchor();
    FolderAnchor(const FolderAnchor &) = delete;
    FolderAnchor &operator=(const FolderAnchor &) = delete;

    bool IsSameFolder(const struct stat &status) const
    {
        return status.st_dev == device_ && status.st_ino == inode_;
    }
    void ReleaseTowardsParent();

    int Descriptor() const { return folder_ ? folder_->Descriptor() : -1; }

    std::shared_ptr<FolderAnchors::Budget> budget_;
    FolderAnchorRef parent_; // null: name_ is the path the folder was opened by
    std::string name_;
    dev_t device_;
    ino_t inode_;
    // The open folder, shared with the listing that opened it while that lives; closed with
    // its last holder.
    std::shared_ptr<const SharedFolder> folder_;
    std::list<FolderAnchor *>::iterator slot_; // in the budget's list while folder_ is held
};

struct FolderAnchors::Budget {
    std::size_t limit;
    std::list<FolderAnchor *> open; // least recently used first

    explicit Budget(std::size_t keepOpen) : limit(std::max<std::size_t>(1, keepOpen)) {}

    // Gives the anchor its open folder, letting the least recently used go beyond the limit.
    void Keep(FolderAnchor &anchor, std::shared_ptr<const SharedFolder> folder)
    {
        anchor.folder_ = std::move(folder);
        anchor.slot_ = open.insert(open.end(), &anchor);
        while (open.size() > limit)
            Release(*open.front());
    }
    // The same for a descriptor just opened; false (the descriptor closed) without memory for it.
    bool Keep(FolderAnchor &anchor, int fd)
    {
        std::shared_ptr<const SharedFolder> folder = SharedFolder::Adopt(fd);
        if (!folder)
            return false;
        Keep(anchor, std::move(folder));
        return true;
    }
    void Touch(FolderAnchor &anchor) { open.splice(open.end(), open, anchor.slot_); }
    void Release(FolderAnchor &anchor)
    {
        anchor.folder_.reset(); // a folder opened for reading: nothing to lose
        open.erase(anchor.slot_);
    }
    // Halves the limit (never below the most recently used) when the process ran out of
    // descriptors; false when nothing could be closed.
    bool Shrink()
    {
        if (open.size() <= 1)
            return false;
        limit = std::max<std::size_t>(1, open.size() / 2);
        while (open.size() > limit)
            Release(*open.front());
        return true;
    }
};

FolderAnchor::~FolderAnchor()
{
    if (folder_)
        ReleaseTowardsParent();
    // Ancestors held by nothing else go one after another, not by recursion, so a chain
    // of any depth cannot exhaust the stack.
    FolderAnchorRef up = std::move(parent_);
    while (up && up.use_count() == 1) {
        FolderAnchorRef next = std::move(up->parent_);
        up = std::move(next);
    }
}

// Releases the descriptor. A parent that waiting subfolders still need, and that gave its
// own descriptor up, gets one back the short way, through "..", when that still is the
// same folder: going back up a deep chain then costs one step a level, not a walk down
// from the nearest open ancestor each time.
void FolderAnchor::ReleaseTowardsParent()
{
    const bool parentWanted = parent_ && !parent_->folder_ && parent_.use_count() > 1;
    const int up = parentWanted ? openat(Descriptor(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
    budget_->Release(*this);
    if (up < 0)
        return; // the parent is reopened from its ancestors if it is needed after all
    struct stat status {};
    if (fstat(up, &status) == 0 && parent_->IsSameFolder(status))
        (void)budget_->Keep(*parent_, up); // without memory it is reopened when needed
    else
        close(up); // opened for reading only
}

FolderAnchors::FolderAnchors(std::size_t keepOpen) : budget_(std::make_shared<Budget>(keepOpen)) {}

FolderAnchors::FolderAnchors() : FolderAnchors(DefaultKeptOpen()) {}

FolderAnchors::~FolderAnchors() = default;

std::size_t FolderAnchors::OpenCount() const
{
    return budget_->open.size();
}

bool FolderAnchors::Open(const FolderAnchorRef &parent, const char *name, FolderListing &listing)
{
    // The previous folder's descriptor is no longer needed; free it before opening another.
    listing.Close();
    int at = AT_FDCWD;
    if (parent) {
        at = Reach(*parent);
        if (at < 0)
            return false;
    }
    return listing.Adopt(OpenFolder(at, name, !parent));
}

FolderAnchorRef FolderAnchors::Anchor(const FolderAnchorRef &parent, std::string_view name,
                                      const FolderListing &listing, const FileIdentity *identity)
{
    const std::shared_ptr<const SharedFolder> &folder = listing.Folder();
    if (!folder)
        return nullptr;
    std::optional<FileIdentity> examined;
    if (!identity) {
        examined = FileIdentityOf(folder->Descriptor());
        if (!examined)
            return nullptr;
        identity = &*examined;
    }
    auto anchor = std::make_shared<FolderAnchor>(budget_, parent, name, *identity);
    // The listing's descriptor, held on when the listing goes: no second one of its own.
    budget_->Keep(*anchor, folder);
    return anchor;
}

std::shared_ptr<const SharedFolder> FolderAnchors::Share(const FolderAnchorRef &anchor)
{
    // Shared, the folder stays open for the holder when the budget lets the anchor's go.
    return anchor && Reach(*anchor) >= 0 ? anchor->folder_ : nullptr;
}

bool FolderAnchors::StillLeadsTo(const FolderAnchorRef &parent, const char *name, const FileIdentity &folder)
{
    int at = AT_FDCWD;
    if (parent) {
        at = Reach(*parent);
        if (at < 0)
            return false;
    }
    struct stat status {};
    if (fstatat(at, name, &status, parent ? AT_SYMLINK_NOFOLLOW : 0) != 0 || !S_ISDIR(status.st_mode))
        return false;
    return IdentityOf(status) == folder;
}

// The anchor's descriptor, reopening it, and the anchors between it and its nearest open
// ancestor, when they were closed to stay within the budget; -1 when a step fails or no
// longer leads to the folder that was listed there.
int FolderAnchors::Reach(FolderAnchor &anchor)
{
    std::vector<FolderAnchor *> closed;
    FolderAnchor *from = &anchor;
    while (from && !from->folder_) {
        closed.push_back(from);
        from = from->parent_.get();
    }
    int at = AT_FDCWD;
    if (from) {
        budget_->Touch(*from);
        at = from->Descriptor();
    }
    for (auto step = closed.rbegin(); step != closed.rend(); ++step) {
        FolderAnchor &next = **step;
        const int fd = OpenFolder(at, next.name_.c_str(), !next.parent_);
        if (fd < 0)
            return -1;
        struct stat status {};
        if (fstat(fd, &status) != 0 || !next.IsSameFolder(status)) {
            close(fd); // opened for reading only
            return -1;
        }
        // May close the step before, which has done its part.
        if (!budget_->Keep(next, fd))
            return -1;
        at = fd;
    }
    return at;
}

int FolderAnchors::OpenFolder(int at, const char *name, bool followLinks)
{
    for (;;) {
        const int fd = OpenFolderAt(at, name, followLinks);
        // Out of descriptors, the walk gives back some of its own (never `at`, the most
        // recently used) and tries again.
        if (fd >= 0 || !OutOfDescriptors(errno) || !budget_->Shrink())
            return fd;
    }
}

} // namespace sifter
