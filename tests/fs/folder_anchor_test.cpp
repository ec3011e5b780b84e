// Folder anchors: subfolders opened relative to their listed parents at any depth, within
// the descriptor budget, and never through a link or a folder put in place of a listed one.
#include "fs/folder_anchor.h"

#include "fs/listing_names.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
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
