// SPDX-License-Identifier: GPL-3.0-or-later
// sifter-cli with one thread and with several: the same output and byte for byte the same
// result file, for content tests and for names only.
#include "cli_process.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace sifter {
namespace {

using test::CliResult;
using test::ReadFileContent;
using test::RunCli;
using test::TempTree;

const std::string kGruesseUtf16("G\0r\0\xFC\0\xDF\0e\0", 10);

class CliThreads : public ::testing::Test {
protected:
    CliThreads()
    {
        // Matches in many folders and files of several sizes, a large file first in its
        // folder with the match across the first 65,535-byte chunk, and odd names.
        tree.WriteFile("data/a-large.bin", std::string(65530, '.') + "alpha beta" + std::string(300000, '.'));
        for (int folder = 0; folder < 12; ++folder) {
            for (int file = 0; file < 25; ++file) {
                std::string content(static_cast<std::size_t>((folder * 25 + file) * 37 % 5000), '.');
                if (file % 3 == 0)
                    content += "alpha beta";
                if (file % 4 == 0)
                    content += "beta \xDE\xAD\xBE\xEF";
                if (file % 5 == 0)
                    content += kGruesseUtf16;
                tree.WriteFile("data/d" + std::to_string(folder) + "/f" + std::to_string(file), content);
            }
        }
        tree.WriteFile("data/odd/new\nline", "alpha beta");
        tree.WriteFile("data/odd/\xFF\xFE-bytes", "beta alpha");
    }

    // The criteria of a search saved once, so that no run takes its dates from the clock.
    // That search reads every file and lists every folder, once the clock has moved past the
    // tree's making (times are kept in ticks of a few milliseconds): later runs see the
    // access times it left.
    std::string SavedCriteria()
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const std::string saved = tree.Path("criteria.sifter");
        const CliResult made = RunCli({"-w", "no-such-word-anywhere", "-o", saved, tree.Path("data")});
        EXPECT_EQ(made.status, 1) << made.err; // nothing found; it also read every file once
        return saved;
    }

    TempTree tree;
};

// Runs each case with one thread and with four, expecting the same output and result file.
void ExpectSameOnOneAndFourThreads(const TempTree &tree, const std::string &criteria,
                                   const std::vector<std::vector<std::string>> &cases)
{
    for (const std::vector<std::string> &words : cases) {
        std::vector<std::string> savedFiles;
        std::vector<CliResult> results;
        for (const char *threads : {"1", "4"}) {
            std::vector<std::string> args = {"--criteria", criteria, "-l", "--threads", threads};
            args.insert(args.end(), words.begin(), words.end());
            savedFiles.push_back(tree.Path(std::string("found-") + threads + ".sifter"));
            args.insert(args.end(), {"-o", savedFiles.back()});
            results.push_back(RunCli(args));
        }
        std::string label;
        for (const std::string &word : words)
            label += word + " ";
        ASSERT_EQ(results[0].status, 0) << label << ": " << results[0].err;
        EXPECT_EQ(results[1].status, 0) << label << ": " << results[1].err;
        EXPECT_EQ(results[1].out, results[0].out) << label;
        const std::string one = ReadFileContent(savedFiles[0]);
        EXPECT_FALSE(one.empty()) << label;
        EXPECT_TRUE(ReadFileContent(savedFiles[1]) == one) << label << ": the result files differ";
    }
}

TEST_F(CliThreads, NamesOnlyPrintAndSaveTheSameOnOneAndFourThreads)
{
    SavedCriteria();
    const std::string names = tree.Path("names.sifter");
    const CliResult made = RunCli({"-n", "*", "-o", names, tree.Path("data")});
    ASSERT_EQ(made.status, 0) << made.err;
    ExpectSameOnOneAndFourThreads(tree, names, {{"-n", "*"}, {"-n", "f1;*-bytes;d1*"}, {"-n", "f2", "--size1", ">=100"}});
}

TEST_F(CliThreads, OneAndFourThreadsPrintAndSaveTheSame)
{
    const std::string criteria = SavedCriteria();
    const std::vector<std::vector<std::string>> cases = {
        {"-w", "alpha zeta", "-m", "any"},
        {"-w", "alpha beta", "-m", "all"},
        {"-w", "alpha beta", "-m", "phrase"},
        {"-w", "alpha", "-m", "without"},
        {"-x", "-w", "dead beef", "-m", "all"},
        {"-w", "Gr\xC3\xBC\xC3\x9F" "e"},
    };
    ExpectSameOnOneAndFourThreads(tree, criteria, cases);
}

} // namespace
} // namespace sifter
