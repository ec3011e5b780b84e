// SPDX-License-Identifier: GPL-3.0-or-later
// sifter-cli --show-lines: the match lines under each path, as grep -n prints them, and
// colour and control characters only on a terminal.
#include "cli_process.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace sifter {
namespace {

using test::CliResult;
using test::RunCli;
using test::TempTree;

// What grep prints for the file, its arguments quoted for the shell by the caller.
std::string Grep(const std::string &arguments)
{
    std::string out;
    std::FILE *pipe = popen(("grep " + arguments).c_str(), "r");
    if (!pipe)
        return out;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, got);
    pclose(pipe);
    return out;
}

// The output split into each path's block of lines (the path line removed).
std::map<std::string, std::string> Blocks(const std::string &output, const TempTree &tree)
{
    std::map<std::string, std::string> blocks;
    std::string *current = nullptr;
    std::size_t start = 0;
    for (std::size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = output.substr(start, end - start + 1);
        if (line.rfind(tree.Root() + "/", 0) == 0)
            current = &blocks[line.substr(0, line.size() - 1)];
        else if (current)
            *current += line;
    }
    return blocks;
}

class CliShowLines : public ::testing::Test {
protected:
    CliShowLines()
    {
        std::string many;
        for (int i = 0; i < 40; ++i)
            many += (i % 7 == 3 ? "a red line " : "a plain line ") + std::to_string(i) + "\n";
        files = {
            tree.WriteFile("one.txt", "red\ngreen\nblue\nred and green\n"),
            tree.WriteFile("many.txt", many),
            tree.WriteFile("sub/last.txt", "first\nsecond\nno newline at the end: green"),
            tree.WriteFile("sub/none.txt", "nothing to see\n"),
        };
    }

    // sifter-cli's lines and grep's, file by file, for ASCII words looked for as typed.
    void ExpectSameAsGrep(const std::string &words, const std::string &mode, int context)
    {
        std::vector<std::string> args = {"-w", words, "--no-unicode", "--show-lines=" + std::to_string(context),
                                         tree.Root()};
        if (!mode.empty())
            args.insert(args.begin(), {"-m", mode});
        const CliResult result = RunCli(args);
        ASSERT_EQ(result.status, 0) << result.err;
        const std::map<std::string, std::string> ours = Blocks(result.out, tree);
        std::string patterns = "-F";
        if (mode == "phrase") {
            patterns += " -e '" + words + "'";
        } else {
            for (std::size_t start = 0, end; start < words.size(); start = end + 1) {
                end = words.find(' ', start);
                if (end == std::string::npos)
                    end = words.size();
                patterns += " -e '" + words.substr(start, end - start) + "'";
            }
        }
        std::size_t grepped = 0;
        for (const std::string &file : files) {
            // grep -C0 separates groups with "--", as plain grep -n does not.
            const std::string around = context > 0 ? " -C" + std::to_string(context) : "";
            const std::string theirs = Grep("-n" + around + " " + patterns + " '" + file + "'");
            const auto found = ours.find(file);
            if (theirs.empty()) {
                EXPECT_EQ(found, ours.end()) << file;
                continue;
            }
            ++grepped;
            ASSERT_NE(found, ours.end()) << file;
            EXPECT_EQ(found->second, theirs) << file << " words " << words << " context " << context;
        }
        EXPECT_GT(grepped, 0u);
    }

    TempTree tree;
    std::vector<std::string> files;
};

TEST_F(CliShowLines, LinesAreThoseGrepPrints)
{
    ExpectSameAsGrep("green", "", 0);
    ExpectSameAsGrep("red green", "", 0);
    ExpectSameAsGrep("red", "", 2);
    ExpectSameAsGrep("red and", "phrase", 1);
}

TEST_F(CliShowLines, ColourAndControlCharactersOnlyOnATerminal)
{
    tree.WriteFile("ctl.txt", "bell \a here: red\n");
    const std::vector<std::string> args = {"-w", "red", "-n", "ctl.txt", "--show-lines", tree.Root()};
    const CliResult piped = RunCli(args);
    EXPECT_NE(piped.out.find("1:bell \a here: red\n"), std::string::npos) << piped.out;
    EXPECT_EQ(piped.out.find('\x1b'), std::string::npos);

    const CliResult terminal = test::RunCliOnTerminal(args);
    EXPECT_NE(terminal.out.find("bell ? here: \x1b[01;31m\x1b[Kred\x1b[m\x1b[K"), std::string::npos) << terminal.out;

    std::vector<std::string> never = args;
    never.push_back("--color=never");
    EXPECT_EQ(test::RunCliOnTerminal(never).out.find('\x1b'), std::string::npos);
    std::vector<std::string> always = args;
    always.push_back("--color=always");
    EXPECT_NE(RunCli(always).out.find("\x1b[01;31m\x1b[Kred"), std::string::npos);
}

TEST_F(CliShowLines, BadValuesAndConflictsAreRefused)
{
    EXPECT_EQ(RunCli({"-w", "red", "--show-lines=x", tree.Root()}).status, 2);
    EXPECT_EQ(RunCli({"-w", "red", "--color=sometimes", tree.Root()}).status, 2);
    EXPECT_EQ(RunCli({"-w", "red", "--show-lines", "-0", tree.Root()}).status, 2);
    const CliResult expression = RunCli({"-w", "re+d", "--regex-words", "--show-lines", tree.Root()});
    EXPECT_EQ(expression.status, 2);
    EXPECT_TRUE(expression.out.empty()) << "refused before the run";
    EXPECT_NE(expression.err.find("--regex-words"), std::string::npos) << expression.err;
}

} // namespace
} // namespace sifter
