// SPDX-License-Identifier: GPL-3.0-or-later
// End-to-end runs of sifter-cli on what must neither hang it, nor fill its memory, nor
// take over the terminal: special files named as result files, result files piped in,
// hostile result files, and names holding escape sequences.
#include "cli_process.h"
#include "search/file_search.h"
#include "search/text_field.h"
#include "stores/result_file.h"
#include "support/temp_tree.h"
#include "support/tiny_records_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

namespace sifter {
namespace {

using test::CliResult;
using test::ReadFileContent;
using test::RunCli;
using test::RunCliOnTerminal;
using test::RunCliWithInput;
using test::RunningCli;
using test::TempTree;

// Refusing takes milliseconds; this only keeps a hang from hanging the test.
constexpr auto kPatience = std::chrono::seconds(10);
constexpr long kMemoryBoundKilobytes = 100 * 1024;

class CliSafety : public ::testing::Test {
protected:
    // A result file of the .txt files of "found": one in the folder itself, then one in a
    // folder longer than the record's field (a long-text block after the record).
    std::string SavedResults()
    {
        tree.WriteFile("found/a.txt", "");
        tree.WriteFile("found/" + std::string(200, 'd') + "/" + std::string(100, 'e') + "/b.txt", "");
        const std::string saved = tree.Path("r.sifter");
        EXPECT_EQ(RunCli({"-n", "*.txt", "-o", saved, tree.Path("found")}).status, 0);
        return saved;
    }

    TempTree tree;
};

TEST_F(CliSafety, FifosDevicesAndFoldersAreRefusedAtOnce)
{
    const std::string fifo = tree.Path("waiting.sifter");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    for (const std::string option : {"--list", "--criteria"}) {
        for (const std::string &path : {fifo, std::string("/dev/null"), tree.Root()}) {
            RunningCli cli({option, path});
            ASSERT_TRUE(cli.Started());
            ASSERT_TRUE(cli.EndsWithin(kPatience)) << option << " " << path << " hangs";
            EXPECT_EQ(cli.Wait(), 2) << option << " " << path;
            EXPECT_EQ(cli.Output(), "");
            EXPECT_EQ(cli.ErrorOutput(), "sifter-cli: " + option + ": '" + path + "': not a regular file\n");
        }
    }
}

TEST_F(CliSafety, AResultFilePipedInIsReadWhole)
{
    const std::string saved = SavedResults();
    const std::string bytes = ReadFileContent(saved);
    const CliResult direct = RunCli({"--list", saved, "-l"});
    ASSERT_EQ(direct.status, 0) << direct.err;
    for (const std::string path : {"-", "/dev/stdin"}) {
        const CliResult piped = RunCliWithInput({"--list", path, "-l"}, bytes);
        EXPECT_EQ(piped.status, 0) << path << ": " << piped.err;
        EXPECT_EQ(piped.out, direct.out) << path;
    }
    // The criteria alone: the saved search runs again.
    const CliResult again = RunCliWithInput({"--criteria", "-", "-l"}, bytes);
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, direct.out);
}

TEST_F(CliSafety, AStreamCutShortListsItsCompleteRecordsAndExitsTwo)
{
    const std::string bytes = ReadFileContent(SavedResults());
    const CliResult whole = RunCliWithInput({"--list", "-"}, bytes);
    const std::string first = whole.out.substr(0, whole.out.find('\n') + 1);
    ASSERT_LT(first.size(), whole.out.size());
    // Inside the second record's fixed bytes (a.txt comes first: files before subfolders).
    const CliResult cut = RunCliWithInput({"--list", "-"}, bytes.substr(0, kResultHeaderSize + 4 + kStoredRecordLength + 100));
    EXPECT_EQ(cut.status, 2);
    EXPECT_EQ(cut.out, first);
    EXPECT_EQ(cut.err, "sifter-cli: --list: standard input: damaged or cut short after 1 records\n");
    const CliResult text = RunCliWithInput({"--list", "-"}, "not a result file");
    EXPECT_EQ(text.status, 2);
    EXPECT_EQ(text.err, "sifter-cli: --list: standard input: not a Sifter result file\n");
}

TEST_F(CliSafety, ManyTinyRecordsKeepMemorySmall)
{
    // 3 MB on disk; loaded as records it would take about 450 MB.
    constexpr std::uint32_t kRecords = 600'000;
    tree.WriteFile("found/a.txt", "");
    FileSearch search;
    SetTextField(search.criteria.names, "*.txt");
    SetTextField(search.criteria.folders, tree.Path("found"));
    const std::string hostile = tree.WriteFile("tiny.sifter", test::TinyRecordsFile(search.criteria, kRecords));

    const CliResult listed = RunCli({"--list", hostile});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), kRecords);
    EXPECT_LT(listed.peakKilobytes, kMemoryBoundKilobytes);

    const CliResult criteria = RunCli({"--criteria", hostile});
    EXPECT_EQ(criteria.status, 0) << criteria.err;
    EXPECT_EQ(criteria.out, tree.Path("found/a.txt") + "\n");
    EXPECT_LT(criteria.peakKilobytes, kMemoryBoundKilobytes);
}

TEST_F(CliSafety, NamesReachATerminalWithoutTheirControlCharacters)
{
    const std::string path = tree.WriteFile("odd/title\x1b]0;owned\x07.txt", "");
    const std::string shown = tree.Path("odd/title?]0;owned?.txt");
    const std::string saved = tree.Path("odd.sifter");

    const CliResult found = RunCliOnTerminal({"-n", "*.txt", "-o", saved, tree.Path("odd")});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_EQ(found.out, shown + "\n");
    EXPECT_EQ(RunCliOnTerminal({"--list", saved}).out, shown + "\n");
    EXPECT_EQ(RunCliOnTerminal({"--list", saved, "-l"}).out.substr(0, shown.size() + 1), shown + "\t");

    // Into a pipe, and with -0 for parsing, the bytes stay as they are.
    EXPECT_EQ(RunCli({"--list", saved}).out, path + "\n");
    EXPECT_EQ(RunCli({"-n", "*.txt", tree.Path("odd")}).out, path + "\n");
    EXPECT_EQ(RunCliOnTerminal({"--list", saved, "-0"}).out, path + '\0');
}

} // namespace
} // namespace sifter
