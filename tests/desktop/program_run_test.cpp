// SPDX-License-Identifier: GPL-3.0-or-later
// Running a helper tool to its end: its exit status and first error line as the reason.
#include "desktop/program_run.h"

#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

namespace sifter {
namespace {

class ProgramRunTest : public ::testing::Test {
protected:
    std::string WriteScript(const std::string &name, const std::string &body)
    {
        const std::string path = tree.WriteFile(name, "#!/bin/sh\n" + body + "\n");
        chmod(path.c_str(), 0755);
        return path;
    }

    test::TempTree tree;
};

TEST_F(ProgramRunTest, ASuccessfulRunPassesItsArgumentsWhole)
{
    const std::string out = tree.Path("out");
    const std::string script = WriteScript("tool", "printf '%s|' \"$@\" > '" + out + "'; echo noise; echo warn >&2");
    std::string error;
    EXPECT_TRUE(RunProgram({script, "a b", "$x", ""}, error)) << error;
    EXPECT_EQ(test::ReadFileContent(out), "a b|$x||");
}

TEST_F(ProgramRunTest, AFailureGivesTheFirstErrorLineElseTheStatus)
{
    std::string error;
    EXPECT_FALSE(RunProgram({WriteScript("loud", "echo; echo '  first problem  ' >&2; echo second >&2; exit 3")}, error));
    EXPECT_EQ(error, tree.Path("loud") + " failed: first problem");
    EXPECT_FALSE(RunProgram({WriteScript("quiet", "exit 4")}, error));
    EXPECT_EQ(error, tree.Path("quiet") + " failed: ended with exit status 4");
    EXPECT_FALSE(RunProgram({WriteScript("killed", "kill -9 $$")}, error));
    EXPECT_EQ(error, tree.Path("killed") + " failed: ended by signal 9");
}

TEST_F(ProgramRunTest, ALongErrorOutputNeverBlocksTheProgram)
{
    std::string error;
    EXPECT_FALSE(RunProgram({WriteScript("flood", "head -c 1000000 /dev/zero | tr '\\0' x >&2; exit 1")}, error));
    EXPECT_EQ(error.size(), tree.Path("flood").size() + std::string(" failed: ").size() + kMaxProgramErrorBytes);
}

TEST_F(ProgramRunTest, AProgramNotInThePathIsMissing)
{
    const char *saved = std::getenv("PATH");
    const std::string path = saved ? saved : "";
    WriteScript("bin/tool", "exit 0");
    tree.WriteFile("bin/not-executable", "#!/bin/sh\n");
    setenv("PATH", ("relative:" + tree.Path("bin")).c_str(), 1);
    const std::string found = FindProgram("tool");
    const std::string notExecutable = FindProgram("not-executable");
    std::string error;
    const bool ran = RunProgram({"no-such-tool-here"}, error);
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(found, tree.Path("bin/tool"));
    EXPECT_EQ(notExecutable, "");
    EXPECT_FALSE(ran);
    EXPECT_EQ(error, "no-such-tool-here is not installed");
}

} // namespace
} // namespace sifter
