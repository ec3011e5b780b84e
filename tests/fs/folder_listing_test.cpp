// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/folder_listing.h"

#include "fs/file_attributes.h"
#include "fs/listing_names.h"
#include "fs/shared_folder.h"
#include "support/special_files.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <fcntl.h>
#include <random>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sifter {
namespace {

using test::ExpectedFileTime;
using test::MakeFifo;
using test::MakeLink;
using test::Names;
using test::TempTree;

std::vector<std::string> Names(const std::vector<EntryData> &entries)
{
    std::vector<std::string> names;
    for (const EntryData &entry : entries)
        names.push_back(entry.name);
    return names;
}

// Index of a name in the listing, or Count() when absent.
std::size_t IndexOf(const FolderListing &listing, const std::string &name)
{
    for (std::size_t i = 0; i < listing.Count(); ++i)
        if (listing.Name(i) == name)
            return i;
    return listing.Count();
}

EntryData DataOf(const std::string &folder, const std::string &name)
{
    FolderListing listing;
    EXPECT_TRUE(listing.Open(folder));
    const std::size_t index = IndexOf(listing, name);
    EXPECT_LT(index, listing.Count()) << name << " not listed";
    EntryData data;
    EXPECT_TRUE(listing.Data(index, data)) << name;
    return data;
}

// ---------------------------------------------------------------- listing

TEST(FolderListing, ListsDotEntriesAndNamesInFoldedOrderTiesByBytes)
{
    TempTree tree;
    for (const char *name : {"b", "A", "a", "_x", "C.txt", "B1", "Ärger", "zeta"})
        tree.WriteFile(name, "");
    tree.MakeFolder("Beta");
    FolderListing listing;
    ASSERT_TRUE(listing.Open(tree.Root()));
    const std::vector<std::string> expected = {".",  "..",   "A",     "a",  "b",
                                               "B1", "Beta", "C.txt", "zeta", "_x", "Ärger"};
    EXPECT_EQ(Names(listing), expected);
}

TEST(FolderListing, ListsEveryEntryOfALargeFolderOnce)
{
    TempTree tree;
    constexpr int kFiles = 3000;
    for (int i = 0; i < kFiles; ++i)
        tree.WriteFile("file" + std::to_string(i), "");
    FolderListing listing;
    ASSERT_TRUE(listing.Open(tree.Root()));
    ASSERT_EQ(listing.Count(), kFiles + 2u);
    for (std::size_t i = 1; i < listing.Count(); ++i)
        EXPECT_LT(listing.Name(i - 1), listing.Name(i)); // all lower case: plain byte order
}

// The order as the listing promises it, spelled out byte by byte.
bool FoldedBefore(const std::string &a, const std::string &b)
{
    auto folded = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 'a' && byte <= 'z' ? byte - ('a' - 'A') : byte;
    };
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (folded(a[i]) != folded(b[i]))
            return folded(a[i]) < folded(b[i]);
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

TEST(FolderListing, OrdersNamesWithLongSharedBeginningsAndCaseDifferencesAnywhere)
{
    // Names alike for 0 to 20 bytes, then differing in case or in letter, on either side of
    // every 8-byte boundary; a small folder and a large one, which are sorted differently.
    std::mt19937 random(7);
    const std::string alphabet = "aAbBzZ_0.\xc3";
    const std::string shared = "libsomething-common";
    for (const std::size_t count : {20u, 400u}) {
        TempTree tree;
        std::set<std::string> names;
        while (names.size() < count) {
            std::string name = shared.substr(0, random() % (shared.size() + 1));
            for (std::size_t tail = 1 + random() % 12; tail > 0; --tail)
                name += alphabet[random() % alphabet.size()];
            if (name != "." && name != ".." && names.insert(name).second)
                tree.WriteFile(name, "");
        }
        FolderListing listing;
        ASSERT_TRUE(listing.Open(tree.Root()));
        std::vector<std::string> listed;
        for (const std::string &name : Names(listing)) {
            if (name != "." && name != "..")
                listed.push_back(name);
        }
        std::vector<std::string> expected(names.begin(), names.end());
        std::sort(expected.begin(), expected.end(), FoldedBefore);
        EXPECT_EQ(listed, expected) << count << " names";
    }
}

TEST(FolderListing, FolderThatCannotBeListedHasNoEntries)
{
    TempTree tree;
    tree.WriteFile("plain", "text");
    MakeFifo(tree.Path("fifo"));
    MakeLink("missing", tree.Path("dangling"));
    for (const std::string &path : {tree.Path("absent"), tree.Path("plain"), tree.Path("fifo"),
                                    tree.Path("dangling"), std::string(), tree.Path("plain/")}) {
        FolderListing listing;
        EXPECT_FALSE(listing.Open(path)) << path;
        EXPECT_EQ(listing.Count(), 0u) << path;
        EXPECT_TRUE(ListFolder(path, "*").empty()) << path;
    }
}

TEST(FolderListing, ReopeningReplacesTheEntries)
{
    TempTree tree;
    tree.WriteFile("one/a", "");
    tree.WriteFile("two/b", "");
    FolderListing listing;
    ASSERT_TRUE(listing.Open(tree.Path("one")));
    ASSERT_TRUE(listing.Open(tree.Path("two")));
    EXPECT_EQ(Names(listing), (std::vector<std::string>{".", "..", "b"}));
    EXPECT_FALSE(listing.Open(tree.Path("absent")));
    EXPECT_EQ(listing.Count(), 0u);
}

TEST(FolderListing, MovedListingKeepsItsEntriesAndExaminesThem)
{
    TempTree tree;
    tree.WriteFile("f", "12345");
    FolderListing first;
    ASSERT_TRUE(first.Open(tree.Root()));
    FolderListing second(std::move(first));
    const std::size_t index = IndexOf(second, "f");
    ASSERT_LT(index, second.Count());
    EntryData data;
    ASSERT_TRUE(second.Data(index, data));
    EXPECT_EQ(data.Size(), 5u);
    FolderListing third;
    third = std::move(second);
    EXPECT_EQ(third.Count(), 3u);
}

TEST(FolderListing, SharedFolderOutlivesTheListingAndAnAbandonedReadListsNothing)
{
    TempTree tree;
    tree.WriteFile("sub/f", "");
    std::shared_ptr<const SharedFolder> folder;
    {
        FolderListing listing;
        ASSERT_TRUE(listing.Open(tree.Root()));
        listing.ResolveTypes();
        EXPECT_TRUE(listing.IsFolder(IndexOf(listing, "sub")));
        folder = listing.Folder();
        ASSERT_TRUE(folder);
        EXPECT_EQ(folder->Descriptor(), listing.Descriptor());
    }
    FolderListing sub;
    ASSERT_TRUE(sub.Adopt(OpenFolderAt(folder->Descriptor(), "sub", false)));
    EXPECT_EQ(Names(sub), (std::vector<std::string>{".", "..", "f"}));
    EXPECT_FALSE(FolderListing().Folder());

    const std::atomic<bool> abandon{true};
    EXPECT_FALSE(sub.Adopt(OpenFolderAt(folder->Descriptor(), "sub", false), &abandon));
    EXPECT_EQ(sub.Count(), 0u);
    EXPECT_EQ(sub.Descriptor(), -1);
}

TEST(FolderListing, OpeningForListingFollowsALastLinkOnlyWhenAsked)
{
    TempTree tree;
    tree.WriteFile("sub/f", "");
    MakeLink("sub", tree.Path("link"));
    MakeFifo(tree.Path("fifo"));
    const int root = OpenFolderAt(AT_FDCWD, tree.Root().c_str(), false);
    ASSERT_GE(root, 0);
    for (const char *name : {"link", "fifo", "missing"})
        EXPECT_LT(OpenFolderAt(root, name, false), 0) << name;
    const int followed = OpenFolderAt(root, "link", true);
    EXPECT_GE(followed, 0);
    close(followed);
    close(root);
}

TEST(FolderListing, OutOfRangeIndexGivesNothing)
{
    TempTree tree;
    FolderListing listing;
    ASSERT_TRUE(listing.Open(tree.Root()));
    EntryData data;
    EXPECT_EQ(listing.Name(2), "");
    EXPECT_FALSE(listing.IsFolder(2));
    EXPECT_FALSE(listing.Data(2, data));
}

TEST(FolderListing, IsFolderOnlyForRealFolders)
{
    TempTree tree;
    tree.MakeFolder("sub");
    tree.WriteFile("file", "");
    MakeLink("sub", tree.Path("link-to-sub"));
    MakeLink("..", tree.Path("up"));
    MakeFifo(tree.Path("fifo"));
    FolderListing listing;
    ASSERT_TRUE(listing.Open(tree.Root()));
    EXPECT_TRUE(listing.IsFolder(IndexOf(listing, ".")));
    EXPECT_TRUE(listing.IsFolder(IndexOf(listing, "..")));
    EXPECT_TRUE(listing.IsFolder(IndexOf(listing, "sub")));
    EXPECT_FALSE(listing.IsFolder(IndexOf(listing, "file")));
    // Links are never descended into, so a link loop cannot trap a walk.
    EXPECT_FALSE(listing.IsFolder(IndexOf(listing, "link-to-sub")));
    EXPECT_FALSE(listing.IsFolder(IndexOf(listing, "up")));
    EXPECT_FALSE(listing.IsFolder(IndexOf(listing, "fifo")));
}

TEST(FolderListing, OpensRegularFilesAndLinksToThemForReadingButNothingElse)
{
    TempTree tree;
    tree.WriteFile("plain.txt", "plain content");
    tree.WriteFile("target.txt", "linked content");
    MakeLink("target.txt", tree.Path("link.txt"));
    MakeLink("sub", tree.Path("folder-link"));
    MakeLink("missing", tree.Path("dangling"));
    MakeFifo(tree.Path("pipe"));
    tree.MakeFolder("sub");
    FolderListing listing;
    ASSERT_TRUE(listing.Open(tree.Root()));

    auto contentOf = [&](const std::string &name) -> std::string {
        FileReader reader;
        if (!listing.OpenForReading(IndexOf(listing, name), reader))
            return "(refused)";
        std::string bytes(64, '\0');
        bytes.resize(static_cast<std::size_t>(reader.Read(bytes.data(), bytes.size())));
        return bytes;
    };
    EXPECT_EQ(contentOf("plain.txt"), "plain content");
    EXPECT_EQ(contentOf("link.txt"), "linked content");
    // A FIFO must be refused without blocking; folders, links to them and dangling links too.
    for (const char *name : {"pipe", "sub", "folder-link", "dangling", "."})
        EXPECT_EQ(contentOf(name), "(refused)") << name;
    FileReader reader;
    EXPECT_FALSE(listing.OpenForReading(listing.Count(), reader));
}

TEST(FolderListing, FileReplacedByAFifoAfterListingIsRefusedWithoutBlocking)
{
    TempTree tree;
    tree.WriteFile("entry", "was a file");
    FolderListing listing;
    ASSERT_TRUE(listing.Open(tree.Root()));
    ASSERT_EQ(unlink(tree.Path("entry").c_str()), 0);
    MakeFifo(tree.Path("entry"));
    FileReader reader;
    EXPECT_FALSE(listing.OpenForReading(IndexOf(listing, "entry"), reader));
    EXPECT_FALSE(reader.IsOpen());
}

TEST(ListFolder, KeepsMatchingEntriesInNameOrderWithTheirData)
{
    TempTree tree;
    tree.WriteFile("b.TXT", "bb");
    tree.WriteFile("a.txt", "a");
    tree.WriteFile("c.doc", "");
    tree.WriteFile("Makefile", "all:");
    tree.MakeFolder("dir.txt");
    const std::vector<EntryData> texts = ListFolder(tree.Root(), "*.txt");
    ASSERT_EQ(Names(texts), (std::vector<std::string>{"a.txt", "b.TXT", "dir.txt"}));
    EXPECT_EQ(texts[0].Size(), 1u);
    EXPECT_EQ(texts[1].Size(), 2u);
    EXPECT_EQ(texts[2].attributes, kAttributeFolder);
    EXPECT_EQ(Names(ListFolder(tree.Root(), "*.*")),
              (std::vector<std::string>{".", "..", "a.txt", "b.TXT", "c.doc", "dir.txt", "Makefile"}));
    EXPECT_EQ(Names(ListFolder(tree.Root(), "*make*")), (std::vector<std::string>{"Makefile"}));
    EXPECT_TRUE(ListFolder(tree.Root(), "nothing*").empty());
}

// ---------------------------------------------------------------- entry data

TEST(EntryData, RegularFileIsNormalWithItsSize)
{
    TempTree tree;
    tree.WriteFile("file.bin", std::string(70000, 'x'));
    const EntryData data = DataOf(tree.Root(), "file.bin");
    EXPECT_EQ(data.name, "file.bin");
    EXPECT_EQ(data.shortName, "");
    EXPECT_EQ(data.attributes, kAttributeNormal);
    EXPECT_EQ(data.Size(), 70000u);
    EXPECT_EQ(data.sizeHigh, 0u);
    EXPECT_EQ(data.sizeLow, 70000u);
}

TEST(EntryData, SizeAbove4GiBFillsTheHighHalf)
{
    TempTree tree;
    const std::string path = tree.WriteFile("sparse", "");
    constexpr off_t kSize = (off_t{5} << 32) + 7;
    ASSERT_EQ(truncate(path.c_str(), kSize), 0);
    const EntryData data = DataOf(tree.Root(), "sparse");
    EXPECT_EQ(data.sizeHigh, 5u);
    EXPECT_EQ(data.sizeLow, 7u);
}

TEST(EntryData, AttributesFollowModeNameAndType)
{
    TempTree tree;
    tree.WriteFile("locked", "x");
    ASSERT_EQ(chmod(tree.Path("locked").c_str(), 0444), 0);
    tree.WriteFile("group-locked", "x");
    ASSERT_EQ(chmod(tree.Path("group-locked").c_str(), 0644), 0); // only the owner bit counts
    tree.WriteFile(".hidden", "x");
    tree.WriteFile(".hidden-locked", "x");
    ASSERT_EQ(chmod(tree.Path(".hidden-locked").c_str(), 0400), 0);
    tree.MakeFolder("folder");
    tree.MakeFolder("locked-folder");
    ASSERT_EQ(chmod(tree.Path("locked-folder").c_str(), 0555), 0);
    tree.MakeFolder(".git");
    MakeFifo(tree.Path("fifo"));
    test::MakeSocketFile(tree.Path("sock"));

    EXPECT_EQ(DataOf(tree.Root(), "locked").attributes, kAttributeReadOnly);
    EXPECT_EQ(DataOf(tree.Root(), "group-locked").attributes, kAttributeNormal);
    EXPECT_EQ(DataOf(tree.Root(), ".hidden").attributes, kAttributeHidden);
    EXPECT_EQ(DataOf(tree.Root(), ".hidden-locked").attributes, kAttributeHidden | kAttributeReadOnly);
    EXPECT_EQ(DataOf(tree.Root(), "folder").attributes, kAttributeFolder);
    EXPECT_EQ(DataOf(tree.Root(), "folder").Size(), 0u);
    EXPECT_EQ(DataOf(tree.Root(), "locked-folder").attributes, kAttributeFolder | kAttributeReadOnly);
    EXPECT_EQ(DataOf(tree.Root(), ".git").attributes, kAttributeFolder | kAttributeHidden);
    EXPECT_EQ(DataOf(tree.Root(), "fifo").attributes, kAttributeSystem);
    EXPECT_EQ(DataOf(tree.Root(), "sock").attributes, kAttributeSystem);
    EXPECT_EQ(DataOf(tree.Root(), ".").attributes, kAttributeFolder | kAttributeHidden);
    EXPECT_EQ(DataOf(tree.Root(), "..").attributes & kAttributeFolder, kAttributeFolder);
    for (const EntryData &entry : ListFolder(tree.Root(), "*"))
        EXPECT_EQ(entry.attributes & kAttributeArchive, 0u) << entry.name;
}

TEST(EntryData, DeviceIsASystemEntry)
{
    const std::vector<EntryData> entries = ListFolder("/dev", "null");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].attributes & (kAttributeSystem | kAttributeFolder | kAttributeNormal), kAttributeSystem);
    EXPECT_EQ(entries[0].Size(), 0u);
}

TEST(EntryData, LinkToFileShowsItsTargetsSizeAndTimes)
{
    TempTree tree;
    tree.WriteFile("target", std::string(1234, 'x'));
    tree.SetTimes("target", 1'000'000'000);
    MakeLink("target", tree.Path("link"));
    MakeLink("target", tree.Path(".hidden-link"));
    const EntryData data = DataOf(tree.Root(), "link");
    EXPECT_EQ(data.attributes, kAttributeReparsePoint);
    EXPECT_EQ(data.Size(), 1234u);
    EXPECT_EQ(data.lastWriteTime, ExpectedFileTime(1'000'000'000));
    EXPECT_EQ(DataOf(tree.Root(), ".hidden-link").attributes, kAttributeReparsePoint | kAttributeHidden);
}

TEST(EntryData, IdentityIsTheFilesAndALinksTarget)
{
    TempTree tree;
    const std::string target = tree.WriteFile("target", "x");
    tree.WriteFile("other", "y");
    MakeLink("target", tree.Path("link"));
    MakeLink("nowhere", tree.Path("dangling"));
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    const FileIdentity expected{info.st_dev, info.st_ino};
    EXPECT_EQ(DataOf(tree.Root(), "target").identity, expected);
    EXPECT_EQ(DataOf(tree.Root(), "link").identity, expected);
    EXPECT_EQ(RegularFileIdentityAt(tree.Path("link")), expected);
    EXPECT_FALSE(DataOf(tree.Root(), "other").identity == expected);
    ASSERT_EQ(lstat(tree.Path("dangling").c_str(), &info), 0);
    EXPECT_EQ(DataOf(tree.Root(), "dangling").identity, (FileIdentity{info.st_dev, info.st_ino}));
    EXPECT_FALSE(RegularFileIdentityAt(tree.Root())) << "a folder is no regular file";
}

TEST(EntryData, LinkToFolderIsAFolderAndAReparsePoint)
{
    TempTree tree;
    tree.WriteFile("sub/inner", "x");
    MakeLink("sub", tree.Path("link"));
    MakeLink("..", tree.Path("up"));
    const EntryData data = DataOf(tree.Root(), "link");
    EXPECT_EQ(data.attributes, kAttributeFolder | kAttributeReparsePoint);
    EXPECT_EQ(data.Size(), 0u);
    EXPECT_EQ(DataOf(tree.Root(), "up").attributes, kAttributeFolder | kAttributeReparsePoint);
}

TEST(EntryData, DanglingAndLoopingLinksAreOnlyReparsePoints)
{
    TempTree tree;
    MakeLink("nowhere", tree.Path("dangling"));
    MakeLink("loop-b", tree.Path("loop-a"));
    MakeLink("loop-a", tree.Path("loop-b"));
    MakeLink("self", tree.Path("self"));
    const std::vector<EntryData> entries = ListFolder(tree.Root(), "*");
    EXPECT_EQ(Names(entries), (std::vector<std::string>{".", "..", "dangling", "loop-a", "loop-b", "self"}));
    for (const char *name : {"dangling", "loop-a", "loop-b", "self"}) {
        const EntryData data = DataOf(tree.Root(), name);
        EXPECT_EQ(data.attributes, kAttributeReparsePoint) << name;
        EXPECT_EQ(data.Size(), 0u) << name;
    }
}

TEST(EntryData, EntryDeletedAfterListingIsReportedGone)
{
    TempTree tree;
    tree.WriteFile("doomed", "x");
    tree.WriteFile("kept", "x");
    FolderListing listing;
    ASSERT_TRUE(listing.Open(tree.Root()));
    ASSERT_EQ(unlink(tree.Path("doomed").c_str()), 0);
    EntryData data;
    data.name = "untouched";
    EXPECT_FALSE(listing.Data(IndexOf(listing, "doomed"), data));
    EXPECT_EQ(data.name, "untouched");
    EXPECT_TRUE(listing.Data(IndexOf(listing, "kept"), data));
    EXPECT_EQ(Names(listing), (std::vector<std::string>{".", "..", "doomed", "kept"}));
}

TEST(EntryData, ListingExaminesEntriesOfTheFolderItOpenedEvenAfterARename)
{
    TempTree tree;
    tree.WriteFile("old/file", "abc");
    FolderListing listing;
    ASSERT_TRUE(listing.Open(tree.Path("old")));
    ASSERT_EQ(rename(tree.Path("old").c_str(), tree.Path("new").c_str()), 0);
    EntryData data;
    ASSERT_TRUE(listing.Data(IndexOf(listing, "file"), data));
    EXPECT_EQ(data.Size(), 3u);
}

TEST(EntryData, TimesMapModificationAccessAndCreation)
{
    TempTree tree;
    const std::string path = tree.WriteFile("dated", "x");
    struct Case {
        std::int64_t write;
        std::int64_t access;
    };
    // Before 1970, ordinary, and after 2038 (beyond signed 32-bit seconds).
    for (const Case times : {Case{-1'000'000'000, -999'999'000}, Case{1'600'000'000, 1'700'000'000},
                             Case{4'102'444'800, 4'200'000'000}}) {
        const timespec stamps[2] = {{static_cast<time_t>(times.access), 500},
                                    {static_cast<time_t>(times.write), 123'456'700}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), stamps, 0), 0);
        const EntryData data = DataOf(tree.Root(), "dated");
        EXPECT_EQ(data.lastWriteTime, ExpectedFileTime(times.write, 123'456'700)) << times.write;
        EXPECT_EQ(data.lastAccessTime, ExpectedFileTime(times.access, 500)) << times.access;

        struct statx actual {};
        ASSERT_EQ(statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &actual), 0);
        const std::uint64_t expectedCreation =
            (actual.stx_mask & STATX_BTIME)
                ? ExpectedFileTime(actual.stx_btime.tv_sec, actual.stx_btime.tv_nsec)
                : std::min(ExpectedFileTime(actual.stx_mtime.tv_sec, actual.stx_mtime.tv_nsec),
                           ExpectedFileTime(actual.stx_ctime.tv_sec, actual.stx_ctime.tv_nsec));
        EXPECT_EQ(data.creationTime, expectedCreation) << times.write;
    }
}

TEST(ReadEntryData, ExaminesAPathWithoutFollowingItsLastLink)
{
    TempTree tree;
    tree.WriteFile("sub/file.txt", "hello");
    MakeLink("sub", tree.Path("link"));
    EntryData data;
    ASSERT_TRUE(ReadEntryData(tree.Path("sub/file.txt"), data));
    EXPECT_EQ(data.name, "file.txt");
    EXPECT_EQ(data.Size(), 5u);
    EXPECT_EQ(data.attributes, kAttributeNormal);
    ASSERT_TRUE(ReadEntryData(tree.Path("link/"), data));
    EXPECT_EQ(data.name, "link");
    EXPECT_EQ(data.attributes, kAttributeFolder | kAttributeReparsePoint);
    ASSERT_TRUE(ReadEntryData("/", data));
    EXPECT_EQ(data.attributes & kAttributeFolder, kAttributeFolder);
    EXPECT_FALSE(ReadEntryData(tree.Path("absent"), data));
    EXPECT_FALSE(ReadEntryData("", data));
}

// ---------------------------------------------------------------- hostile names and trees

TEST(FolderListing, KeepsUnusualNamesByteForByte)
{
    TempTree tree;
    const std::vector<std::string> names = {"line\nbreak", "back\\slash", "bad\xff\xfe utf8", std::string(255, 'n'),
                                            " leading space", "trailing space ", "*?", "-dash"};
    for (const std::string &name : names)
        tree.WriteFile(name, name);
    FolderListing listing;
    ASSERT_TRUE(listing.Open(tree.Root()));
    EXPECT_EQ(listing.Count(), names.size() + 2);
    for (const std::string &name : names) {
        const std::size_t index = IndexOf(listing, name);
        ASSERT_LT(index, listing.Count()) << name;
        EntryData data;
        ASSERT_TRUE(listing.Data(index, data)) << name;
        EXPECT_EQ(data.name, name);
        EXPECT_EQ(data.Size(), name.size());
        EXPECT_TRUE(PatternMatches("*", name));
    }
    EXPECT_EQ(Names(ListFolder(tree.Root(), "bad?? utf8")), (std::vector<std::string>{"bad\xff\xfe utf8"}));
    EXPECT_EQ(Names(ListFolder(tree.Root(), "*\n*")), (std::vector<std::string>{"line\nbreak"}));
}

TEST(FolderListing, FolderWithoutReadPermissionHasNoEntries)
{
    TempTree tree;
    tree.WriteFile("closed/secret", "x");
    ASSERT_EQ(chmod(tree.Path("closed").c_str(), 0), 0);
    FolderListing listing;
    const bool opened = listing.Open(tree.Path("closed"));
    if (test::PermissionsIgnored(tree.Path("closed")))
        GTEST_SKIP() << "this process ignores permission bits (root), so the folder can be listed";
    EXPECT_FALSE(opened);
    EXPECT_EQ(listing.Count(), 0u);
    EXPECT_TRUE(ListFolder(tree.Path("closed"), "*").empty());
}

TEST(FolderListing, FolderWithoutSearchPermissionListsNamesButNoData)
{
    TempTree tree;
    tree.WriteFile("blind/file", "x");
    ASSERT_EQ(chmod(tree.Path("blind").c_str(), 0444), 0);
    FolderListing listing;
    ASSERT_TRUE(listing.Open(tree.Path("blind")));
    EntryData data;
    const bool examined = listing.Data(IndexOf(listing, "file"), data);
    if (access(tree.Path("blind/file").c_str(), F_OK) == 0)
        GTEST_SKIP() << "this process ignores permission bits (root), so the entry can be examined";
    EXPECT_FALSE(examined);
    EXPECT_EQ(Names(listing), (std::vector<std::string>{".", "..", "file"}));
    EXPECT_TRUE(ListFolder(tree.Path("blind"), "file").empty());
}

TEST(FolderListing, FolderDeeperThanThePathLimitHasNoEntriesByItsPath)
{
    TempTree tree;
    const std::string component(250, 'd');
    const int depth = PATH_MAX / static_cast<int>(component.size() + 1) + 2;
    const std::string path = tree.MakeChain(component, depth, [depth](int folderFd, int level) {
        if (level == depth)
            test::WriteFileAt(folderFd, "deep.txt", "");
    });
    ASSERT_GT(path.size(), static_cast<std::size_t>(PATH_MAX));

    FolderListing listing;
    EXPECT_FALSE(listing.Open(path));
    EXPECT_EQ(listing.Count(), 0u);
    EXPECT_TRUE(ListFolder(path, "*").empty());
    EntryData data;
    EXPECT_FALSE(ReadEntryData(path + "/deep.txt", data));
}

} // namespace
} // namespace sifter
