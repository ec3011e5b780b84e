// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/atomic_file.h"

#include "support/special_files.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace sifter {
namespace {

using test::ReadFileContent;
using test::TempTree;

// A writer that puts text into the stream.
std::function<bool(std::FILE *)> Text(std::string text)
{
    return [text = std::move(text)](std::FILE *file) {
        return std::fwrite(text.data(), 1, text.size(), file) == text.size();
    };
}

std::vector<std::string> Entries(const std::string &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

mode_t ModeOf(const std::string &path)
{
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

class AtomicFileTest : public ::testing::Test {
protected:
    TempTree tree;
};

TEST_F(AtomicFileTest, ContentIsReplacedWholeThroughLinksAndNoTemporaryStays)
{
    const std::string real = tree.WriteFile("real/f.txt", "the old content, longer than the new");
    test::MakeLink(real, tree.Path("link"));
    test::MakeLink(tree.Path("gone"), tree.Path("dangling"));
    int error = 0;
    ASSERT_TRUE(WriteFileAtomically(tree.Path("link"), Text("new"), {}, &error)) << std::strerror(error);
    ASSERT_TRUE(WriteFileAtomically(tree.Path("dangling"), Text("here")));
    EXPECT_TRUE(std::filesystem::is_symlink(tree.Path("link")));
    EXPECT_EQ(ReadFileContent(real), "new");
    EXPECT_FALSE(std::filesystem::is_symlink(tree.Path("dangling"))) << "a dangling link is replaced itself";
    EXPECT_EQ(ReadFileContent(tree.Path("dangling")), "here");
    EXPECT_EQ(Entries(tree.Path("real")), std::vector<std::string>{"f.txt"});
    EXPECT_EQ(Entries(tree.Root()), (std::vector<std::string>{"dangling", "link", "real"}));
}

TEST_F(AtomicFileTest, AnExistingFileKeepsItsModeANewOneGetsTheGivenModeLessTheUmask)
{
    const std::string old = tree.WriteFile("old.txt", "x");
    ASSERT_EQ(chmod(old.c_str(), 0604), 0);
    AtomicWriteOptions script;
    script.newFileMode = 0777;
    const mode_t umaskBefore = umask(027);
    const bool replaced = WriteFileAtomically(old, Text("y"), script);
    const bool created = WriteFileAtomically(tree.Path("run.sh"), Text("#!/bin/sh\n"), script);
    const bool plain = WriteFileAtomically(tree.Path("plain.txt"), Text("z"));
    umask(umaskBefore);
    ASSERT_TRUE(replaced && created && plain);
    EXPECT_EQ(ModeOf(old), 0604u);
    EXPECT_EQ(ModeOf(tree.Path("run.sh")), 0750u);
    EXPECT_EQ(ModeOf(tree.Path("plain.txt")), 0640u);
}

TEST_F(AtomicFileTest, AFailingWriterLeavesTheOldContentAndNoTemporary)
{
    const std::string path = tree.WriteFile("f.txt", "old");
    int error = 0;
    const auto failing = [](std::FILE *file) {
        std::fputs("half of it", file);
        errno = ENOSPC;
        return false;
    };
    EXPECT_FALSE(WriteFileAtomically(path, failing, {}, &error));
    EXPECT_EQ(error, ENOSPC);
    EXPECT_EQ(ReadFileContent(path), "old");
    EXPECT_EQ(Entries(tree.Root()), std::vector<std::string>{"f.txt"});
}

TEST_F(AtomicFileTest, ProbeRefusesWhatTheWriteRefusesWithTheSameErrorAndLeavesNothing)
{
    tree.MakeFolder("folder");
    test::MakeSocketFile(tree.Path("socket"));
    const std::string longName = std::string(250, 'n'); // fits a folder, not with the temporary's suffix
    const struct {
        std::string path;
        int error;
    } refused[] = {
        {tree.Path("folder"), EISDIR},
        {tree.Path("socket"), ENXIO},
        {tree.Path("missing/f.txt"), ENOENT},
        {tree.Path("socket/f.txt"), ENOTDIR},
        {tree.Path(longName), ENAMETOOLONG},
        {"", ENOENT},
    };
    for (const auto &target : refused) {
        int probeError = 0;
        int writeError = 0;
        EXPECT_FALSE(ProbeAtomicWrite(target.path, &probeError)) << target.path;
        EXPECT_FALSE(WriteFileAtomically(target.path, Text("x"), {}, &writeError)) << target.path;
        EXPECT_EQ(probeError, target.error) << target.path;
        EXPECT_EQ(writeError, target.error) << target.path;
    }
    int error = 0;
    EXPECT_TRUE(ProbeAtomicWrite(tree.Path("f.txt"), &error)) << std::strerror(error);
    EXPECT_EQ(Entries(tree.Root()), (std::vector<std::string>{"folder", "socket"}));
    EXPECT_TRUE(Entries(tree.Path("folder")).empty());
}

TEST_F(AtomicFileTest, LeftoverTemporariesOfTheSameFileAreRemovedOthersStay)
{
    for (const char *name : {"f.txt.tmp-Ab12Cd", "f.txt.tmp-zzzzzz", "f.txt.tmp-Ab12C", "f.txt.tmp-Ab12Cde",
                             "f.txt.tmp-Ab-2Cd", "g.txt.tmp-Ab12Cd", "xf.txt.tmp-Ab12Cd"})
        tree.WriteFile(name, "left over");
    tree.MakeFolder("f.txt.tmp-folder");
    ASSERT_TRUE(ProbeAtomicWrite(tree.Path("f.txt")));
    EXPECT_EQ(Entries(tree.Root()), (std::vector<std::string>{"f.txt.tmp-Ab-2Cd", "f.txt.tmp-Ab12C",
                                                               "f.txt.tmp-Ab12Cde", "f.txt.tmp-folder",
                                                               "g.txt.tmp-Ab12Cd", "xf.txt.tmp-Ab12Cd"}));
}

TEST_F(AtomicFileTest, TheTemporaryOfAKilledWriterIsRemovedByTheNextWriteNotBefore)
{
    const std::string path = tree.WriteFile("big.bin", "old");
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(ready[0]);
        WriteFileAtomically(path, [&](std::FILE *file) {
            const std::string block(1 << 20, 'b');
            for (int i = 0; i < 8; ++i)
                std::fwrite(block.data(), 1, block.size(), file);
            std::fflush(file);
            const char go = 'w';
            if (write(ready[1], &go, 1) == 1)
                pause(); // killed here, in the middle of its save
            return false;
        });
        _exit(1);
    }
    close(ready[1]);
    char got = 0;
    ASSERT_EQ(read(ready[0], &got, 1), 1);
    close(ready[0]);
    const std::vector<std::string> whileWriting = Entries(tree.Root());
    EXPECT_EQ(whileWriting.size(), 2u);
    ASSERT_TRUE(WriteFileAtomically(path, Text("while the other writes")));
    EXPECT_EQ(Entries(tree.Root()), whileWriting) << "a living writer's temporary stays";

    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(Entries(tree.Root()), whileWriting) << "killed: the temporary is left";
    ASSERT_TRUE(WriteFileAtomically(path, Text("after")));
    EXPECT_EQ(Entries(tree.Root()), std::vector<std::string>{"big.bin"});
    EXPECT_EQ(ReadFileContent(path), "after");
}

TEST_F(AtomicFileTest, AFifoIsWrittenIntoWhenItHasAReaderAndStaysAFifo)
{
    const std::string fifo = tree.Path("fifo");
    test::MakeFifo(fifo);
    std::string received;
    std::thread reader([&] { received = ReadFileContent(fifo); });
    AtomicWriteOptions options;
    options.waitForReader = true;
    int error = 0;
    EXPECT_TRUE(WriteFileAtomically(fifo, Text("through the pipe"), options, &error)) << std::strerror(error);
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    struct stat info {};
    ASSERT_EQ(lstat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(Entries(tree.Root()), std::vector<std::string>{"fifo"});
    // Without a reader: the probe passes (it never opens a FIFO), a write not asked to
    // wait fails at once.
    EXPECT_TRUE(ProbeAtomicWrite(fifo, &error)) << std::strerror(error);
    EXPECT_FALSE(WriteFileAtomically(fifo, Text("x"), {}, &error));
    EXPECT_EQ(error, ENXIO);
}

TEST_F(AtomicFileTest, AReaderThatGoesAwayFailsTheWriteWithoutEndingTheProgram)
{
    const std::string fifo = tree.Path("fifo");
    test::MakeFifo(fifo);
    int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    const auto writer = [&](std::FILE *file) {
        close(reader);
        reader = -1;
        std::fputs("nobody reads this", file);
        return std::fflush(file) == 0;
    };
    int error = 0;
    EXPECT_FALSE(WriteFileAtomically(fifo, writer, {}, &error));
    EXPECT_EQ(error, EPIPE);
    sigset_t pending;
    ASSERT_EQ(sigpending(&pending), 0);
    EXPECT_EQ(sigismember(&pending, SIGPIPE), 0) << "no SIGPIPE is left to arrive later";
}

} // namespace
} // namespace sifter
