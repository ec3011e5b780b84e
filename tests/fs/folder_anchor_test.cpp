// SPDX-License-Identifier: GPL-3.0-or-later
// Folder anchors: subfolders opened relative to their listed parents at any depth, within
// the descriptor budget, and never through a link or a folder put in place of a listed one.
#include "fs/folder_anchor.h"

#include "fs/listing_names.h"
#include "support/process_entries.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sifter {
namespace {

using test::Names;
using test::TempTree;

std::vector<std::string> NamesIn(std::initializer_list<std::string> names)
{
    std::vector<std::string> all{".", ".."};
    all.insert(all.end(), names);
    return all;
}

// Opens and anchors the root, then each level of the chain below it; returns every anchor,
// the root's first, as subfolders waiting at each level would hold them.
std::vector<FolderAnchorRef> AnchorChain(FolderAnchors &anchors, FolderListing &listing, const std::string &root,
                                         const std::string &component, int depth)
{
    std::vector<FolderAnchorRef> chain;
    if (!anchors.Open(nullptr, root.c_str(), listing))
        return chain;
    chain.push_back(anchors.Anchor(nullptr, root, listing));
    for (int level = 1; level <= depth; ++level) {
        if (!anchors.Open(chain.back(), component.c_str(), listing))
            return chain;
        chain.push_back(anchors.Anchor(chain.back(), component, listing));
    }
    return chain;
}

class FolderAnchorsTest : public ::testing::Test {
protected:
    void SetUp() override { tree.WriteFile("a/b/c/inside", ""); }

    // With a budget of one, anchoring c closes b, so that reaching b again starts at the root.
    void AnchorDownToC(FolderAnchors &anchors)
    {
        ASSERT_TRUE(anchors.Open(nullptr, tree.Root().c_str(), listing));
        const FolderAnchorRef root = anchors.Anchor(nullptr, tree.Root(), listing);
        ASSERT_TRUE(anchors.Open(root, "a", listing));
        const FolderAnchorRef a = anchors.Anchor(root, "a", listing);
        ASSERT_TRUE(anchors.Open(a, "b", listing));
        b = anchors.Anchor(a, "b", listing);
        ASSERT_TRUE(anchors.Open(b, "c", listing));
        c = anchors.Anchor(b, "c", listing);
    }

    TempTree tree;
    TempTree outside;
    FolderListing listing;
    FolderAnchorRef b;
    FolderAnchorRef c;
};

TEST_F(FolderAnchorsTest, ChainPastThePathLimitIsWalkedWithinTheBudgetAndReachedAgain)
{
    const std::string component(250, 'c');
    const int depth = 2 * PATH_MAX / static_cast<int>(component.size() + 1) + 2;
    tree.MakeChain(component, depth, [depth](int folderFd, int level) {
        if (level == depth)
            test::WriteFileAt(folderFd, "bottom", "");
    });
    FolderAnchors anchors(2);
    const std::vector<FolderAnchorRef> chain = AnchorChain(anchors, listing, tree.Root(), component, depth);
    ASSERT_EQ(chain.size(), static_cast<std::size_t>(depth) + 1);
    EXPECT_EQ(Names(listing), NamesIn({"bottom"}));
    EXPECT_LE(anchors.OpenCount(), 2u);

    // The outer levels gave their descriptors up long ago; they are reopened step by step.
    ASSERT_TRUE(anchors.Open(chain[1], component.c_str(), listing));
    EXPECT_EQ(Names(listing), NamesIn({component}));
    EXPECT_LE(anchors.OpenCount(), 2u);
}

TEST_F(FolderAnchorsTest, ReopeningRefusesALinkOrAnotherFolderInPlaceOfAListedOne)
{
    FolderAnchors anchors(1);
    AnchorDownToC(anchors);
    ASSERT_EQ(rename(tree.Path("a").c_str(), tree.Path("moved").c_str()), 0);
    tree.WriteFile("a/b/c/impostor", "");
    EXPECT_FALSE(anchors.Open(b, "c", listing));

    ASSERT_EQ(rename(tree.Path("a").c_str(), tree.Path("other").c_str()), 0);
    outside.WriteFile("b/c/outside", "");
    ASSERT_EQ(symlink(outside.Root().c_str(), tree.Path("a").c_str()), 0);
    EXPECT_FALSE(anchors.Open(b, "c", listing));
    EXPECT_EQ(listing.Count(), 0u);

    // Put back, the same folders are reached again.
    ASSERT_EQ(unlink(tree.Path("a").c_str()), 0);
    ASSERT_EQ(rename(tree.Path("moved").c_str(), tree.Path("a").c_str()), 0);
    ASSERT_TRUE(anchors.Open(b, "c", listing));
    EXPECT_EQ(Names(listing), NamesIn({"inside"}));
}

TEST_F(FolderAnchorsTest, ParentGetsADescriptorBackThroughAChildOnlyWhileItIsItsParent)
{
    tree.WriteFile("a/b/x/in-b", "");
    tree.WriteFile("other/x/in-other", "");
    FolderAnchors anchors(1);
    AnchorDownToC(anchors);
    c.reset();
    EXPECT_EQ(anchors.OpenCount(), 1u); // b's, opened through c's ".."

    ASSERT_TRUE(anchors.Open(b, "c", listing));
    c = anchors.Anchor(b, "c", listing);
    ASSERT_EQ(rename(tree.Path("a/b/c").c_str(), tree.Path("other/c").c_str()), 0);
    c.reset();
    EXPECT_EQ(anchors.OpenCount(), 0u); // c's ".." is no longer b
    ASSERT_TRUE(anchors.Open(b, "x", listing));
    EXPECT_EQ(Names(listing), NamesIn({"in-b"}));
}

// The identity of the folder a listing has open.
FileIdentity IdentityOf(const FolderListing &listing)
{
    struct stat status {};
    EXPECT_EQ(fstat(listing.Descriptor(), &status), 0);
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

TEST_F(FolderAnchorsTest, NameStillLeadsToAListedFolderUntilALinkOrAnotherFolderTakesItsPlace)
{
    FolderAnchors anchors(1);
    AnchorDownToC(anchors);
    ASSERT_TRUE(anchors.Open(c, "..", listing)); // b again, listed through c
    const FileIdentity listedC = [&] {
        FolderListing cListing;
        EXPECT_TRUE(anchors.Open(b, "c", cListing));
        return IdentityOf(cListing);
    }();
    EXPECT_TRUE(anchors.StillLeadsTo(b, "c", listedC));
    EXPECT_FALSE(anchors.StillLeadsTo(b, "inside-none", listedC));

    // Renamed away and a link put in its place: the name no longer leads there, though the
    // link does lead to the very folder.
    ASSERT_EQ(rename(tree.Path("a/b/c").c_str(), tree.Path("a/b/c.moved").c_str()), 0);
    ASSERT_EQ(symlink("c.moved", tree.Path("a/b/c").c_str()), 0);
    EXPECT_FALSE(anchors.StillLeadsTo(b, "c", listedC));
    ASSERT_EQ(unlink(tree.Path("a/b/c").c_str()), 0);
    tree.MakeFolder("a/b/c"); // another folder of that name
    EXPECT_FALSE(anchors.StillLeadsTo(b, "c", listedC));
    ASSERT_EQ(rmdir(tree.Path("a/b/c").c_str()), 0);
    ASSERT_EQ(rename(tree.Path("a/b/c.moved").c_str(), tree.Path("a/b/c").c_str()), 0);
    EXPECT_TRUE(anchors.StillLeadsTo(b, "c", listedC));

    // A folder of the user's list is named by its path, which may go through links.
    ASSERT_EQ(symlink(tree.Path("a").c_str(), outside.Path("to-a").c_str()), 0);
    ASSERT_TRUE(listing.Open(tree.Path("a")));
    EXPECT_TRUE(anchors.StillLeadsTo(nullptr, outside.Path("to-a").c_str(), IdentityOf(listing)));
}

TEST_F(FolderAnchorsTest, SharedFolderIsTheAnchoredOneAndOutlivesTheAnchors)
{
    std::shared_ptr<const SharedFolder> shared;
    {
        FolderAnchors anchors(1);
        AnchorDownToC(anchors);
        shared = anchors.Share(b); // b gave its descriptor up for c's: reached again
        ASSERT_TRUE(shared);
        EXPECT_LE(anchors.OpenCount(), 1u);
        EXPECT_FALSE(anchors.Share(nullptr));
    }
    FolderListing fromShared;
    ASSERT_TRUE(fromShared.Adopt(OpenFolderAt(shared->Descriptor(), "c", false)));
    EXPECT_EQ(Names(fromShared), NamesIn({"inside"}));
}

TEST_F(FolderAnchorsTest, AnchorKeepsTheListingsDescriptorOpenWithoutOneOfItsOwn)
{
    FolderAnchors anchors(4);
    ASSERT_TRUE(anchors.Open(nullptr, tree.Path("a").c_str(), listing));
    const int before = test::CountProcEntries("/proc/self/fd");
    FolderAnchorRef a = anchors.Anchor(nullptr, tree.Path("a"), listing);
    ASSERT_TRUE(a);
    EXPECT_EQ(test::CountProcEntries("/proc/self/fd"), before);
    listing.Close(); // the anchor holds on to the folder
    EXPECT_EQ(test::CountProcEntries("/proc/self/fd"), before);
    ASSERT_TRUE(anchors.Open(a, "b", listing));
    EXPECT_EQ(Names(listing), NamesIn({"c"}));
    listing.Close();
    a.reset(); // the last holder closes it
    EXPECT_EQ(test::CountProcEntries("/proc/self/fd"), before - 1);
}

TEST_F(FolderAnchorsTest, AnchorTakesAKnownIdentityAndIsReachedByIt)
{
    FolderAnchors anchors(1);
    ASSERT_TRUE(anchors.Open(nullptr, tree.Root().c_str(), listing));
    const FolderAnchorRef root = anchors.Anchor(nullptr, tree.Root(), listing);
    ASSERT_TRUE(anchors.Open(root, "a", listing));
    const FileIdentity identity = IdentityOf(listing);
    const FolderAnchorRef a = anchors.Anchor(root, "a", listing, &identity);
    ASSERT_TRUE(anchors.Open(a, "b", listing));
    const FolderAnchorRef b2 = anchors.Anchor(a, "b", listing); // closes a's descriptor
    // a is reopened from the root and checked against the identity it was given.
    ASSERT_TRUE(anchors.Open(a, "b", listing));
    EXPECT_EQ(Names(listing), NamesIn({"c"}));
    const FileIdentity wrong{identity.device, identity.inode + 1};
    const FolderAnchorRef misnamed = anchors.Anchor(root, "a", listing, &wrong);
    ASSERT_TRUE(anchors.Open(b2, "c", listing)); // gives misnamed's descriptor up
    EXPECT_FALSE(anchors.Open(misnamed, "b", listing));
}

TEST(FolderAnchors, RunningOutOfDescriptorsGivesSomeBackAndGoesOn)
{
    TempTree tree;
    constexpr int kDepth = 300;
    tree.MakeChain("d", kDepth);
    auto walkWithFewDescriptors = [&tree] {
        constexpr rlim_t kLimit = 32;
        const rlimit limit{kLimit, kLimit};
        if (setrlimit(RLIMIT_NOFILE, &limit) != 0)
            std::_Exit(2);
        // A budget far above the limit: only running out can teach it.
        FolderAnchors anchors(1000);
        FolderListing listing;
        const auto chain = AnchorChain(anchors, listing, tree.Root(), "d", kDepth);
        std::fprintf(stderr, "%zu of %d levels, %zu open\n", chain.size(), kDepth + 1, anchors.OpenCount());
        std::_Exit(chain.size() == std::size_t{kDepth} + 1 && anchors.OpenCount() < kLimit ? 0 : 1);
    };
    EXPECT_EXIT(walkWithFewDescriptors(), ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace sifter
