// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening the folders of a walk at any depth: a subfolder is opened relative to its
// listed parent, never by its whole path (the system refuses paths past PATH_MAX) and
// never through a link. Only a bounded number of parents keep a descriptor open; the
// others get one back through a child's ".." or are reopened step by step from their
// nearest open ancestor, each step checked to be the very folder that was listed.
#include "fs/file_identity.h"
#include "fs/folder_listing.h"
#include "fs/shared_folder.h"

#include <cstddef>
#include <memory>
#include <string_view>

namespace sifter {

// A listed folder remembered as the way to its subfolders. Each subfolder waiting to be
// opened holds its parent's anchor; the folder is forgotten with the last holder.
class FolderAnchor;
using FolderAnchorRef = std::shared_ptr<FolderAnchor>;

class FolderAnchors {
public:
    // Keeps at most keepOpen descriptors open (at least 1).
    explicit FolderAnchors(std::size_t keepOpen);
    // Keeps at most a quarter of the process's descriptor limit open, and no more than 256.
    FolderAnchors();
    ~FolderAnchors();
    FolderAnchors(const FolderAnchors &) = delete;
    FolderAnchors &operator=(const FolderAnchors &) = delete;

    // Lists into listing the subfolder name of parent, opened relative to it without
    // following a link; with no parent, name is a path and links in it are followed, as in
    // a folder the user named. False (listing empty) when the folder cannot be listed, or
    // parent can no longer be reached as the same folder along the names it was found by.
    bool Open(const FolderAnchorRef &parent, const char *name, FolderListing &listing);
    // Anchors the folder that listing has open, reached as Open(parent, name) reached it;
    // null when the listing has no folder open or it cannot be examined. identity, when
    // given, is the open folder's, already known.
    FolderAnchorRef Anchor(const FolderAnchorRef &parent, std::string_view name, const FolderListing &listing,
                           const FileIdentity *identity = nullptr);
    // A descriptor of its own for the folder of the anchor, reached as Open reaches a
    // parent, for work that outlives the anchors' budget; null when it cannot be reached.
    std::shared_ptr<const SharedFolder> Share(const FolderAnchorRef &anchor);
    // True when Open(parent, name) would now open the folder of that identity: name in
    // parent is that folder and no link to it (with no parent, name is a path, links
    // followed). Costs no descriptor of its own.
    bool StillLeadsTo(const FolderAnchorRef &parent, const char *name, const FileIdentity &folder);
    // Open folders the anchors hold now (a descriptor each, which the listing that opened it
    // may share while it lives).
    std::size_t OpenCount() const;

private:
    friend class FolderAnchor;
    // What the anchors of one walk share: the descriptors kept open, least recently used first.
    struct Budget;

    int Reach(FolderAnchor &anchor);
    int OpenFolder(int at, const char *name, bool followLinks);

    std::shared_ptr<Budget> budget_;
};

} // namespace sifter
