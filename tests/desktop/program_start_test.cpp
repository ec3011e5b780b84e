// SPDX-License-Identifier: GPL-3.0-or-later
// Starting programs detached with byte arguments: a real script records what it received.
#include "desktop/program_start.h"

#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace sifter {
namespace {

using namespace std::chrono_literals;

class ProgramStartTest : public ::testing::Test {
protected:
    // A script that writes its arguments after the first, each ended by a NUL byte, into the
    // file its first argument names (whole, by a rename, so the test never reads half).
    std::string WriteRecorder()
    {
        const std::string script = tree.WriteFile("bin/record args.sh", "#!/bin/sh\n"
                                                                        "out=$1\nshift\n"
                                                                        "for a in \"$@\"; do printf '%s\\000' \"$a\"; done > \"$out.part\"\n"
                                                                        "mv \"$out.part\" \"$out\"\n");
        EXPECT_EQ(chmod(script.c_str(), 0700), 0);
        return script;
    }

    // The file's content once it appears; empty after five seconds.
    static std::string WaitForFile(const std::string &path)
    {
        for (int i = 0; i < 500; ++i) {
            if (access(path.c_str(), F_OK) == 0)
                return test::ReadFileContent(path);
            std::this_thread::sleep_for(10ms);
        }
        return {};
    }

    // The children of this process that have ended but were not reaped.
    static int ZombieChildren()
    {
        int zombies = 0;
        DIR *proc = opendir("/proc");
        if (!proc)
            return 0;
        while (const dirent *entry = readdir(proc)) {
            std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
            std::string line;
            if (!std::getline(stat, line) || line.rfind(')') == std::string::npos)
                continue;
            std::istringstream fields(line.substr(line.rfind(')') + 2));
            char state = 0;
            long parent = 0;
            fields >> state >> parent;
            zombies += state == 'Z' && parent == getpid() ? 1 : 0;
        }
        closedir(proc);
        return zombies;
    }

    test::TempTree tree;
};

TEST_F(ProgramStartTest, TheProgramReceivesEachArgumentsExactBytes)
{
    const std::string script = WriteRecorder();
    const std::string out = tree.Path("out");
    const std::vector<std::string> arguments = {"with blank", "quote\"and'apostrophe", "new\nline", "-leading-dash",
                                                "bad\xff\xfeutf8", "$HOME `id` ;|&*", ""};
    std::vector<std::string> argv = {script, out};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::string error;
    ASSERT_TRUE(StartDetachedProgram(argv, error)) << error;
    std::string expected;
    for (const std::string &argument : arguments)
        expected += argument + '\0';
    EXPECT_EQ(WaitForFile(out), expected);
}

TEST_F(ProgramStartTest, AnEndedProgramIsReaped)
{
    const std::string out = tree.Path("out");
    std::string error;
    ASSERT_TRUE(StartDetachedProgram({WriteRecorder(), out, "x"}, error)) << error;
    ASSERT_EQ(WaitForFile(out), std::string("x\0", 2));
    int zombies = 1;
    for (int i = 0; i < 300 && zombies > 0; ++i) {
        std::this_thread::sleep_for(10ms);
        zombies = ZombieChildren();
    }
    EXPECT_EQ(zombies, 0);
}

TEST_F(ProgramStartTest, TheProgramRunsInASessionOfItsOwn)
{
    const std::string script = tree.WriteFile("bin/session.sh", "#!/bin/sh\n"
                                                                "cut -d' ' -f6 /proc/$$/stat > \"$1.part\"\n"
                                                                "mv \"$1.part\" \"$1\"\n");
    ASSERT_EQ(chmod(script.c_str(), 0700), 0);
    std::string error;
    ASSERT_TRUE(StartDetachedProgram({script, tree.Path("out")}, error)) << error;
    const std::string session = WaitForFile(tree.Path("out"));
    ASSERT_FALSE(session.empty());
    EXPECT_NE(std::stol(session), static_cast<long>(getsid(0)));
}

TEST_F(ProgramStartTest, AMissingProgramIsReported)
{
    std::string error;
    EXPECT_FALSE(StartDetachedProgram({"no-such-program-anywhere", "x"}, error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(StartDetachedProgram({tree.Path("missing")}, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(StartDetachedProgram({}, error));
}

} // namespace
} // namespace sifter
