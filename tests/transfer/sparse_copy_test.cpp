// SPDX-License-Identifier: GPL-3.0-or-later
// Copying sparse files: holes stay holes on the same and on another file system, the bytes
// are the same, and a stop in the middle leaves nothing of the copy.
#include "support/temp_tree.h"
#include "transfer/file_transfer.h"
#include "transfer_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace sifter {
namespace {

using test::Bytes;
using test::FakeSink;
using test::ShmFolder;
using test::Snapshot;

constexpr std::uint64_t kMegabyte = 1024 * 1024;
constexpr std::uint64_t kSparseSize = 1024 * kMegabyte;
// Slack for the blocks a file system spends on its own records of a file.
constexpr std::int64_t kBlockSlack = 2 * kMegabyte / 512;

struct Stretch {
    std::uint64_t offset;
    std::size_t length;
    char seed;
};
// Data at the start, in the middle (one not on a block boundary), and a hole at the end.
const Stretch kStretches[] = {
    {0, 64 * 1024, 'a'}, {300 * kMegabyte, 3 * kMegabyte / 2, 'b'}, {700 * kMegabyte + 12345, 3 * kMegabyte, 'c'}};

// A file of kSparseSize bytes that holds data only in kStretches.
std::string MakeSparseFile(const test::TempTree &tree, const std::string &relative)
{
    const std::string path = tree.WriteFile(relative, "");
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    EXPECT_GE(fd, 0);
    for (const Stretch &stretch : kStretches) {
        const std::string bytes = Bytes(stretch.length, stretch.seed);
        EXPECT_EQ(pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(stretch.offset)),
                  static_cast<ssize_t>(bytes.size()));
    }
    EXPECT_EQ(ftruncate(fd, static_cast<off_t>(kSparseSize)), 0);
    close(fd);
    return path;
}

std::int64_t BlocksOf(const std::string &path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 ? static_cast<std::int64_t>(status.st_blocks) : -1;
}

// Where the open file holds data, as [start, end) ranges; one range for all when the file
// system does not say.
std::vector<std::pair<off_t, off_t>> DataRanges(int fd, off_t size)
{
    std::vector<std::pair<off_t, off_t>> ranges;
    for (off_t offset = 0; offset < size;) {
        const off_t data = lseek(fd, offset, SEEK_DATA);
        if (data < 0 && errno != ENXIO)
            return {{0, size}};
        if (data < 0)
            break;
        const off_t hole = lseek(fd, data, SEEK_HOLE);
        ranges.emplace_back(data, hole < 0 ? size : hole);
        offset = ranges.back().second;
    }
    return ranges;
}

// True when both files hold the same bytes. Only where either holds data are they read: a
// hole in both reads as zeros in both.
bool SameContent(const std::string &a, const std::string &b)
{
    const int first = open(a.c_str(), O_RDONLY | O_CLOEXEC);
    const int second = open(b.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat one {};
    struct stat other {};
    bool same = first >= 0 && second >= 0 && fstat(first, &one) == 0 && fstat(second, &other) == 0 &&
                one.st_size == other.st_size;
    std::vector<std::pair<off_t, off_t>> ranges;
    if (same) {
        ranges = DataRanges(first, one.st_size);
        const auto more = DataRanges(second, other.st_size);
        ranges.insert(ranges.end(), more.begin(), more.end());
    }
    std::vector<char> bytes(kMegabyte);
    std::vector<char> otherBytes(kMegabyte);
    for (const auto &[start, end] : ranges) {
        for (off_t offset = start; same && offset < end;) {
            const auto length = static_cast<std::size_t>(std::min<off_t>(end - offset, kMegabyte));
            same = pread(first, bytes.data(), length, offset) == static_cast<ssize_t>(length) &&
                   pread(second, otherBytes.data(), length, offset) == static_cast<ssize_t>(length) &&
                   std::memcmp(bytes.data(), otherBytes.data(), length) == 0;
            offset += static_cast<off_t>(length);
        }
    }
    for (const int fd : {first, second}) {
        if (fd >= 0)
            close(fd);
    }
    return same;
}

// Copies a sparse file into destination and checks that the copy takes about as many blocks.
void ExpectSparseCopy(const std::string &destination)
{
    test::TempTree tree;
    const std::string source = MakeSparseFile(tree, "sparse.img");
    if (BlocksOf(source) * 512 >= static_cast<std::int64_t>(kSparseSize))
        GTEST_SKIP() << "this file system keeps no holes";
    FakeSink sink;
    const TransferOutcome outcome = TransferEntries({source}, destination, TransferKind::kCopy, sink);
    ASSERT_TRUE(outcome.failures.empty()) << outcome.failures[0].reason;
    const std::string copy = destination + "/sparse.img";
    EXPECT_LE(BlocksOf(copy), BlocksOf(source) + kBlockSlack)
        << "source " << BlocksOf(source) << " blocks, copy " << BlocksOf(copy);
    EXPECT_TRUE(SameContent(source, copy));
    EXPECT_EQ(sink.last.bytesDone, kSparseSize);
}

TEST(SparseCopy, ASparseFileStaysSparseOnTheSameFileSystem)
{
    test::TempTree destination;
    ExpectSparseCopy(destination.Root());
}

TEST(SparseCopy, ASparseFileStaysSparseOnAnotherFileSystem)
{
    test::TempTree here;
    const ShmFolder other(here.Root());
    if (other.Path().empty())
        GTEST_SKIP() << "/dev/shm is not another file system here";
    ExpectSparseCopy(other.Path());
}

TEST(SparseCopy, AStopInTheMiddleOfASparseFileLeavesNothingOfIt)
{
    test::TempTree tree;
    const std::string source = MakeSparseFile(tree, "src/sparse.img");
    const std::int64_t blocks = BlocksOf(source);
    // A memory file system never clones, which would leave no moment to stop at.
    const ShmFolder memory;
    const std::string destination = memory.Path().empty() ? tree.MakeFolder("dst") : memory.Path();
    FakeSink sink;
    // The start, the file, then a few steps into its data and holes.
    constexpr int kStopAt = 6;
    sink.stopAtCall = kStopAt;
    std::uint64_t doneAtStop = 0;
    sink.onProgress = [&](int call) {
        if (call == kStopAt)
            doneAtStop = sink.last.bytesDone;
    };
    TransferOptions options;
    options.forceCopy = true;
    const TransferOutcome outcome = TransferEntries({source}, destination, TransferKind::kMove, sink, options);
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_GT(doneAtStop, 0u);
    EXPECT_LT(doneAtStop, kSparseSize);
    EXPECT_TRUE(Snapshot(destination).empty());
    EXPECT_EQ(BlocksOf(source), blocks);
    EXPECT_TRUE(test::EntryExists(source));
}

} // namespace
} // namespace sifter
