// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/file_reader.h"

#include "support/special_files.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <limits>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sifter {
namespace {

using test::MakeFifo;
using test::MakeLink;
using test::TempTree;

constexpr std::size_t kChunk = 65535;

// Bytes that differ at every offset within 251, so a misplaced read shows.
std::string Pattern(std::size_t size)
{
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        text[i] = static_cast<char>(i % 251);
    return text;
}

std::string ReadAll(FileReader &reader, std::size_t chunk)
{
    std::string result;
    std::vector<char> buffer(chunk);
    for (;;) {
        const std::int64_t got = reader.Read(buffer.data(), buffer.size());
        EXPECT_GE(got, 0);
        if (got <= 0)
            break;
        result.append(buffer.data(), static_cast<std::size_t>(got));
        if (static_cast<std::size_t>(got) < chunk)
            break;
    }
    return result;
}

TEST(FileReader, ReadsFilesOfEverySizeCompletely)
{
    TempTree tree;
    for (const std::size_t size : {std::size_t{0}, std::size_t{1}, kChunk - 1, kChunk, kChunk + 1,
                                   std::size_t{3 * kChunk + 17}}) {
        const std::string content = Pattern(size);
        const std::string path = tree.WriteFile("file" + std::to_string(size), content);
        FileReader reader;
        ASSERT_TRUE(reader.Open(path)) << size;
        EXPECT_TRUE(reader.IsOpen());
        EXPECT_EQ(reader.Size(), static_cast<std::int64_t>(size));
        EXPECT_EQ(ReadAll(reader, kChunk), content) << size;
        char byte = 0;
        EXPECT_EQ(reader.Read(&byte, 1), 0) << "read past the end, size " << size;
    }
}

// Whether a page of the file is in the page cache, as the kernel reports it.
bool FirstPageCached(const std::string &path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_GE(fd, 0);
    const long page = sysconf(_SC_PAGESIZE);
    void *mapped = mmap(nullptr, static_cast<std::size_t>(page), PROT_READ, MAP_SHARED, fd, 0);
    EXPECT_NE(mapped, MAP_FAILED);
    unsigned char resident = 0;
    EXPECT_EQ(mincore(mapped, static_cast<std::size_t>(page), &resident), 0);
    munmap(mapped, static_cast<std::size_t>(page));
    close(fd);
    return (resident & 1) != 0;
}

TEST(FileReader, TellsWhetherItsReadsWaitedForTheDisk)
{
    TempTree tree;
    const std::string content = Pattern(4 * kChunk);
    const std::string path = tree.WriteFile("data.bin", content);
    FileReader reader;
    ASSERT_TRUE(reader.Open(path));
    EXPECT_EQ(ReadAll(reader, kChunk), content);
    if (!reader.WaitKnown())
        GTEST_SKIP() << "the file system of " << tree.Root() << " cannot tell";
    EXPECT_FALSE(reader.WaitedForData()) << "just written, so in the cache";

    // Out of the cache where the file system lets it go (a disk's does; tmpfs keeps it).
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(fdatasync(fd), 0);
    ASSERT_EQ(posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED), 0);
    close(fd);
    const bool cached = FirstPageCached(path);
    ASSERT_TRUE(reader.Open(path));
    EXPECT_EQ(ReadAll(reader, kChunk), content);
    EXPECT_EQ(reader.WaitedForData(), !cached);
    // Opening again starts afresh: the file is in the cache now.
    ASSERT_TRUE(reader.Open(path));
    EXPECT_EQ(ReadAll(reader, kChunk), content);
    EXPECT_FALSE(reader.WaitedForData());
}

TEST(FileReader, ReadOfZeroBytesReadsNothing)
{
    TempTree tree;
    FileReader reader;
    ASSERT_TRUE(reader.Open(tree.WriteFile("f", "abc")));
    EXPECT_EQ(reader.Read(nullptr, 0), 0);
    char buffer[3];
    EXPECT_EQ(reader.Read(buffer, 3), 3);
}

TEST(FileReader, StepsBackBetweenChunksAsTheContentTestDoes)
{
    TempTree tree;
    const std::string content = Pattern(2 * kChunk + 100);
    FileReader reader;
    ASSERT_TRUE(reader.Open(tree.WriteFile("big", content)));
    constexpr std::int64_t kStepBack = 5;
    std::vector<char> buffer(kChunk);
    std::int64_t chunkOffset = 0;
    int chunks = 0;
    for (;;) {
        const std::int64_t got = reader.Read(buffer.data(), kChunk);
        ASSERT_GE(got, 0);
        EXPECT_EQ(std::string(buffer.data(), static_cast<std::size_t>(got)),
                  content.substr(static_cast<std::size_t>(chunkOffset), static_cast<std::size_t>(got)));
        ++chunks;
        ASSERT_TRUE(reader.SeekRelative(-kStepBack));
        if (got < static_cast<std::int64_t>(kChunk))
            break;
        chunkOffset += got - kStepBack;
    }
    EXPECT_EQ(chunks, 3);
}

TEST(FileReader, SeeksFromTheStartAndRelativeToThePosition)
{
    TempTree tree;
    FileReader reader;
    ASSERT_TRUE(reader.Open(tree.WriteFile("f", "0123456789")));
    char buffer[4] = {};
    ASSERT_TRUE(reader.Seek(6));
    ASSERT_EQ(reader.Read(buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 4), "6789");
    ASSERT_TRUE(reader.SeekRelative(-7));
    ASSERT_EQ(reader.Read(buffer, 2), 2);
    EXPECT_EQ(std::string(buffer, 2), "34");
    // Failed seeks leave the position where it was.
    EXPECT_FALSE(reader.Seek(-1));
    EXPECT_FALSE(reader.SeekRelative(-6));
    EXPECT_FALSE(reader.SeekRelative(std::numeric_limits<std::int64_t>::max()));
    ASSERT_EQ(reader.Read(buffer, 1), 1);
    EXPECT_EQ(buffer[0], '5');
    // Past the end is a valid position with nothing to read.
    ASSERT_TRUE(reader.Seek(1'000'000));
    EXPECT_EQ(reader.Read(buffer, 4), 0);
    ASSERT_TRUE(reader.Seek(std::numeric_limits<std::int64_t>::max()));
    EXPECT_EQ(reader.Read(buffer, 4), 0);
}

TEST(FileReader, ClosedReaderRefusesEverything)
{
    TempTree tree;
    FileReader reader;
    char byte = 0;
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(reader.Read(&byte, 1), -1);
    EXPECT_EQ(reader.Size(), -1);
    EXPECT_FALSE(reader.Seek(0));
    EXPECT_FALSE(reader.SeekRelative(0));
    ASSERT_TRUE(reader.Open(tree.WriteFile("f", "x")));
    reader.Close();
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(reader.Read(&byte, 1), -1);
}

TEST(FileReader, ReopeningStartsTheNewFileAtItsBeginning)
{
    TempTree tree;
    FileReader reader;
    ASSERT_TRUE(reader.Open(tree.WriteFile("a", "aaaa")));
    ASSERT_TRUE(reader.Seek(3));
    ASSERT_TRUE(reader.Open(tree.WriteFile("b", "bcde")));
    char buffer[4];
    ASSERT_EQ(reader.Read(buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 4), "bcde");
    EXPECT_FALSE(reader.Open(tree.Path("absent")));
    EXPECT_FALSE(reader.IsOpen());
}

TEST(FileReader, FollowsLinksToRegularFiles)
{
    TempTree tree;
    tree.WriteFile("target", "linked");
    MakeLink("target", tree.Path("link"));
    FileReader reader;
    ASSERT_TRUE(reader.Open(tree.Path("link")));
    char buffer[16];
    EXPECT_EQ(reader.Read(buffer, sizeof buffer), 6);
}

TEST(FileReader, RefusesEverythingButRegularFiles)
{
    TempTree tree;
    tree.MakeFolder("folder");
    MakeLink("folder", tree.Path("folder-link"));
    MakeLink("nowhere", tree.Path("dangling"));
    MakeLink("loop", tree.Path("loop"));
    test::MakeSocketFile(tree.Path("sock"));
    for (const std::string &path : {tree.Path("folder"), tree.Path("folder-link"), tree.Path("dangling"),
                                    tree.Path("loop"), tree.Path("sock"), tree.Path("absent"), std::string(),
                                    std::string("/dev/null"), std::string("/dev/zero"), std::string("/dev/tty")}) {
        FileReader reader;
        EXPECT_FALSE(reader.Open(path)) << path;
        EXPECT_FALSE(reader.IsOpen()) << path;
    }
}

TEST(FileReader, RefusesAFifoWithoutWaitingForAWriter)
{
    TempTree tree;
    const std::string fifo = tree.Path("fifo");
    MakeFifo(fifo);
    auto opening = std::async(std::launch::async, [&fifo] {
        FileReader reader;
        return reader.Open(fifo);
    });
    if (opening.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // Give the blocked open a writer so that the test can end, then fail.
        const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        opening.wait();
        if (writer >= 0)
            close(writer);
        FAIL() << "opening a FIFO blocked";
    }
    EXPECT_FALSE(opening.get());
}

TEST(FileReader, RefusesAFileWithoutReadPermission)
{
    TempTree tree;
    const std::string path = tree.WriteFile("secret", "x");
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    FileReader reader;
    const bool opened = reader.Open(path);
    if (access(path.c_str(), R_OK) == 0)
        GTEST_SKIP() << "this process ignores permission bits (root), so the file can be read";
    EXPECT_FALSE(opened);
}

TEST(FileReader, FileThatGrewAfterOpeningIsReadToItsNewEnd)
{
    TempTree tree;
    const std::string path = tree.WriteFile("growing", "0123456789");
    FileReader reader;
    ASSERT_TRUE(reader.Open(path));
    const int fd = open(path.c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, "abcdefghij", 10), 10);
    close(fd);
    EXPECT_EQ(ReadAll(reader, 4), "0123456789abcdefghij");
}

TEST(FileReader, ReadsFilesWhoseReportedSizeIsZero)
{
    FileReader reader;
    if (!reader.Open("/proc/self/status"))
        GTEST_SKIP() << "no /proc";
    EXPECT_EQ(reader.Size(), 0);
    const std::string text = ReadAll(reader, 64);
    EXPECT_NE(text.find("Name:"), std::string::npos);
}

TEST(FileReader, ReadErrorEndsTheFileWhereItHappened)
{
    // A process's own memory file fails with EIO where nothing is mapped.
    FileReader reader;
    if (!reader.Open("/proc/self/mem"))
        GTEST_SKIP() << "no /proc/self/mem";
    static const char kMapped[] = "mapped memory";
    const auto mappedAt = static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(kMapped));
    char buffer[sizeof kMapped] = {};
    ASSERT_TRUE(reader.Seek(mappedAt));
    ASSERT_EQ(reader.Read(buffer, sizeof buffer), static_cast<std::int64_t>(sizeof buffer));
    EXPECT_STREQ(buffer, kMapped);

    ASSERT_TRUE(reader.Seek(0)); // page 0 is never mapped
    EXPECT_EQ(reader.Read(buffer, sizeof buffer), 0);
    // The file now ends at 0, so the mapped bytes are gone for good.
    ASSERT_TRUE(reader.Seek(mappedAt));
    EXPECT_EQ(reader.Read(buffer, sizeof buffer), 0);
}

} // namespace
} // namespace sifter
