// SPDX-License-Identifier: GPL-3.0-or-later
// End-to-end runs of the built sifter-cli in temporary trees.
#include "cli/usage_text.h"
#include "cli_process.h"
#include "support/scoped_env.h"
#include "support/special_files.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

namespace sifter {
namespace {

using test::CliResult;
using test::RunCli;
using test::RunCliIntoFile;
using test::RunningCli;
using test::ScopedEnv;
using test::TempTree;

constexpr auto kPatience = std::chrono::seconds(60);

std::vector<std::string> Split(const std::string &text, char separator)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1)
        pieces.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "output ends without a separator";
    return pieces;
}

std::vector<std::string> Sorted(std::vector<std::string> lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

class CliRun : public ::testing::Test {
protected:
    CliRun()
    {
        tree.WriteFile("docs/report.txt", "quarterly numbers");
        tree.WriteFile("docs/old/Report-2019.md", "old numbers");
        tree.WriteFile("notes/todo.txt", "nothing here");
    }

    TempTree tree;
};

TEST_F(CliRun, FoundFilesArePrintedWholeAndExitZero)
{
    const CliResult result = RunCli({"-n", "report", tree.Root()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(Sorted(Split(result.out, '\n')),
              (std::vector<std::string>{tree.Path("docs/old/Report-2019.md"), tree.Path("docs/report.txt")}));
}

TEST_F(CliRun, NothingFoundExitsOne)
{
    const CliResult result = RunCli({"-n", "absent", tree.Root()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
}

TEST_F(CliRun, BadUsageExitsTwoWithOneLineNamingTheProblem)
{
    CliResult result = RunCli({"--size1", "x", tree.Root()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "sifter-cli: --size1: expected =N, >=N or <=N, got 'x'\n");

    result = RunCli({"--frobnicate"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "sifter-cli: unknown option '--frobnicate'\n");

    result = RunCli({"-n", std::string(600, 'x'), tree.Root()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "sifter-cli: -n: the text is 600 bytes long; at most 511 fit\n");

    result = RunCli({"--date1", "=2026-02-30", tree.Root()});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("got '=2026-02-30'"), std::string::npos) << result.err;

    result = RunCli({"-x", "-w", "4G", tree.Root()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "sifter-cli: --hex: '4G' is not hexadecimal (pairs of digits 0-9, a-f)\n");
}

TEST_F(CliRun, HelpAndVersionExitZero)
{
    CliResult result = RunCli({"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.rfind("Usage: sifter-cli [options] [FOLDER...]\n", 0), 0u);
    EXPECT_NE(result.out.find("--date-part PART"), std::string::npos);
    result = RunCli({"--version"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.rfind("sifter-cli ", 0), 0u);
    EXPECT_NE(result.out.find("\nCopyright (C) Norvane\nLicense GPL-3.0-or-later: "), std::string::npos) << result.out;
}

TEST_F(CliRun, HelpAndMessagesSpeakTheUsersLanguageAndElseTodaysEnglish)
{
    test::ScopedEnv language("LANGUAGE", "de");
    CliResult result = RunCli({"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.rfind("Aufruf: sifter-cli [Optionen] [ORDNER...]\n", 0), 0u) << result.out;
    // Without LANGUAGE, the locale's language; LC_ALL comes before LANG.
    language.Set(nullptr);
    const test::ScopedEnv all("LC_ALL", "de_DE.UTF-8");
    EXPECT_EQ(RunCli({"--help"}).out.rfind("Aufruf:", 0), 0u);
    language.Set("de");
    result = RunCli({"--size1", "5"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "sifter-cli: --size1: erwartet =N, >=N oder <=N, erhalten '5'\n");
    // English, exactly as the program has it, for the C locale and for a language with no catalogue.
    for (const char *english : {"C", "fr", "fr:en"}) {
        language.Set(english);
        result = RunCli({"--help"});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, UsageText()) << english;
        EXPECT_EQ(RunCli({"--size1", "5"}).err, "sifter-cli: --size1: expected =N, >=N or <=N, got '5'\n") << english;
    }
}

TEST_F(CliRun, CaseSensitiveHeedsCaseOnlyInPatternsWithoutWildcardsAsTheHelpSays)
{
    const std::string help = RunCli({"--help"}).out;
    EXPECT_NE(help.find("--case-sensitive       a pattern without * or ? must occur in the name with the\n"
                        "                             same case (patterns with * or ? ignore case all the same;\n"),
              std::string::npos)
        << help;
    const std::string upper = tree.Path("docs/old/Report-2019.md");
    const std::string lower = tree.Path("docs/report.txt");
    EXPECT_EQ(RunCli({"--case-sensitive", "-n", "Report", tree.Root()}).out, upper + "\n");
    EXPECT_EQ(Sorted(Split(RunCli({"--case-sensitive", "-n", "Report*", tree.Root()}).out, '\n')),
              (std::vector<std::string>{upper, lower}));
    EXPECT_EQ(Sorted(Split(RunCli({"--case-sensitive", "-n", "*Report?*", tree.Root()}).out, '\n')),
              (std::vector<std::string>{upper, lower}));
    // Contents are compared with case with or without the switch.
    EXPECT_EQ(RunCli({"-w", "Quarterly", tree.Root()}).status, 1);
}

TEST_F(CliRun, WithoutFolderTheCurrentFolderIsSearched)
{
    const CliResult result = RunCli({"-n", "todo"}, tree.Path("notes"));
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "./todo.txt\n");
}

TEST_F(CliRun, LongFormatHasTheFiveColumns)
{
    const ScopedEnv zone("TZ", "UTC0");
    const std::string path = tree.WriteFile("long/data.bin", "0123456789needle and more");
    tree.SetTimes("long/data.bin", 1772973296); // 2026-03-08 12:34:56 UTC
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    const CliResult result = RunCli({"-l", "-w", "needle", tree.Path("long")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, path + "\t25\tR\t2026-03-08T12:34:56\t10\n");
}

TEST_F(CliRun, PlainOutputSavedStillStoresEachFilesData)
{
    // Printing paths alone reads no sizes or times; the result file stores them all the same.
    const ScopedEnv zone("TZ", "UTC0");
    const std::string path = tree.WriteFile("kept/data.bin", "0123456789needle");
    tree.SetTimes("kept/data.bin", 1772973296);
    const std::string saved = tree.Path("kept.sifter");
    const CliResult search = RunCli({"-n", "*.bin", "-o", saved, tree.Path("kept")});
    ASSERT_EQ(search.status, 0) << search.err;
    EXPECT_EQ(search.out, path + "\n");
    const CliResult listed = RunCli({"--list", saved, "-l"});
    EXPECT_EQ(listed.out, path + "\t16\t\t2026-03-08T12:34:56\t0\n");
}

TEST_F(CliRun, NullSeparatedOutputKeepsNewlinesInNames)
{
    tree.WriteFile("odd/line\nbreak.txt", "");
    tree.WriteFile("odd/plain.txt", "");
    const CliResult result = RunCli({"-0", "-n", "*.txt", tree.Path("odd")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(Sorted(Split(result.out, '\0')),
              (std::vector<std::string>{tree.Path("odd/line\nbreak.txt"), tree.Path("odd/plain.txt")}));
}

TEST_F(CliRun, SavedResultsListTheSameAndLongPathsStayWhole)
{
    // A folder longer than the record's 268-byte field and a 250-byte name.
    const std::string deep = "deep/" + std::string(120, 'a') + "/" + std::string(120, 'b') + "/" + std::string(60, 'c');
    const std::string name = std::string(240, 'n') + ".match";
    const std::string path = tree.WriteFile(deep + "/" + name, "x");
    tree.WriteFile(deep + "/short.match", "y");
    ASSERT_GT(path.size(), 520u);
    const std::string saved = tree.Path("r.sifter");

    const CliResult search = RunCli({"-l", "-n", "*.match", "-o", saved, tree.Path("deep")});
    ASSERT_EQ(search.status, 0) << search.err;
    EXPECT_NE(search.out.find(path + "\t"), std::string::npos);
    const CliResult listed = RunCli({"--list", saved, "-l"});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, search.out);
    const CliResult plain = RunCli({"--list", saved});
    EXPECT_EQ(Sorted(Split(plain.out, '\n')), (std::vector<std::string>{path, tree.Path(deep + "/short.match")}));
}

TEST_F(CliRun, FilesPastThePathLimitArePrintedAndSavedWhole)
{
    const std::string component(250, 'c');
    const int past4k = PATH_MAX / static_cast<int>(component.size() + 1) + 1;
    const int past8k = 2 * PATH_MAX / static_cast<int>(component.size() + 1) + 1;
    const std::string deeper = tree.MakeChain(component, past8k, [&](int folderFd, int level) {
        if (level == past4k || level == past8k)
            test::WriteFileAt(folderFd, "deep.txt", "");
    });
    std::string shallower = tree.Root();
    for (int level = 0; level < past4k; ++level)
        shallower += "/" + component;
    const std::string saved = tree.Path("deep.sifter");

    const CliResult search = RunCli({"-n", "deep.txt", "-o", saved, tree.Root()});
    EXPECT_EQ(search.status, 0) << search.err;
    const std::string expected = shallower + "/deep.txt\n" + deeper + "/deep.txt\n";
    EXPECT_EQ(search.out, expected);
    EXPECT_EQ(RunCli({"--list", saved}).out, expected);
}

TEST_F(CliRun, ASavedSearchStoresAbsoluteFoldersWhileThePathsArePrintedAsGiven)
{
    char real[PATH_MAX];
    ASSERT_NE(realpath(tree.Root().c_str(), real), nullptr);
    const std::string root = real;
    const std::string saved = tree.Path("r.sifter");

    const CliResult search =
        RunCli({"-n", "Report-2019.md;todo.txt", "-o", saved, "../docs/./old", "."}, tree.Path("notes"));
    ASSERT_EQ(search.status, 0) << search.err;
    EXPECT_EQ(search.out, "../docs/./old/Report-2019.md\n./todo.txt\n");
    const CliResult listed = RunCli({"--list", saved}, tree.Path("docs"));
    EXPECT_EQ(listed.out, root + "/docs/old/Report-2019.md\n" + root + "/notes/todo.txt\n");
    // The criteria's folders too: run from elsewhere they search the same folders.
    const CliResult again = RunCli({"--criteria", saved}, "/");
    EXPECT_EQ(again.out, listed.out);

    // Without a folder the current one is searched, and stored as such.
    ASSERT_EQ(RunCli({"-n", "todo.txt", "-o", saved}, tree.Path("notes")).out, "./todo.txt\n");
    EXPECT_EQ(RunCli({"--criteria", saved}, "/").out, root + "/notes/todo.txt\n");
}

TEST_F(CliRun, StandardOutputInTheSearchedFoldersIsNeitherReadNorListedAndThatIsSaidOnce)
{
    const std::string out = tree.Path("out.txt");
    ASSERT_EQ(symlink(out.c_str(), tree.Path("docs/link-to-out.txt").c_str()), 0);
    const std::string said = "sifter-cli: standard output lies in the searched folders; it was left out of the search\n";

    CliResult result = RunCliIntoFile({"-w", "numbers", "-m", "without", tree.Root()}, out);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, tree.Path("notes/todo.txt") + "\n");
    EXPECT_EQ(result.err, said);

    result = RunCliIntoFile({"-n", "*.txt", tree.Root()}, out);
    EXPECT_EQ(Sorted(Split(result.out, '\n')),
              (std::vector<std::string>{tree.Path("docs/report.txt"), tree.Path("notes/todo.txt")}));
    EXPECT_EQ(result.err, said);

    // Outside the searched folders it is nobody's business.
    result = RunCliIntoFile({"-n", "todo", tree.Path("notes")}, out);
    EXPECT_EQ(result.out, tree.Path("notes/todo.txt") + "\n");
    EXPECT_EQ(result.err, "");
}

TEST_F(CliRun, TheSaveTargetAndItsTemporaryAreLeftOutOfTheirOwnSearch)
{
    const std::string saved = tree.Path("r.sifter");
    CliResult result = RunCli({"-n", "*.sifter", "-o", saved, tree.Root()});
    EXPECT_EQ(result.status, 1) << "made only after the search";
    EXPECT_EQ(result.err, "");

    // A temporary left by a killed save goes before the search, the target itself stays out.
    const std::string stale = tree.WriteFile("r.sifter.tmp-Ab12Cd", "half a save");
    result = RunCli({"-n", "r.sifter*", "-o", saved, tree.Root()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "sifter-cli: the result file '" + saved +
                              "' lies in the searched folders; it was left out of the search\n");
    EXPECT_FALSE(test::EntryExists(stale));
    EXPECT_EQ(RunCli({"--list", saved}).status, 1) << "the saved search found nothing";
}

TEST_F(CliRun, SavingAnEmptySearchListsNothingWithExitOne)
{
    const std::string saved = tree.Path("empty.sifter");
    EXPECT_EQ(RunCli({"-n", "absent", "-o", saved, tree.Root()}).status, 1);
    struct stat info {};
    ASSERT_EQ(stat(saved.c_str(), &info), 0);
    EXPECT_EQ(info.st_size, 2177);
    const CliResult listed = RunCli({"--list", saved});
    EXPECT_EQ(listed.status, 1);
    EXPECT_EQ(listed.out, "");
}

TEST_F(CliRun, CriteriaFromAResultFileAreOverriddenByOptions)
{
    tree.WriteFile("docs/sub/report-sub.txt", "");
    const std::string saved = tree.Path("r.sifter");
    ASSERT_EQ(RunCli({"-n", "report", "-o", saved, tree.Path("docs")}).status, 0);

    // From another folder: the saved folders and names are used as they are.
    const CliResult same = RunCli({"--criteria", saved}, tree.Path("notes"));
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_EQ(Sorted(Split(same.out, '\n')),
              (std::vector<std::string>{tree.Path("docs/old/Report-2019.md"), tree.Path("docs/report.txt"),
                                        tree.Path("docs/sub/report-sub.txt")}));

    const CliResult names = RunCli({"--criteria", saved, "-n", "*.md"});
    EXPECT_EQ(names.out, tree.Path("docs/old/Report-2019.md") + "\n");

    const CliResult top = RunCli({"--criteria", saved, "--no-subfolders"});
    EXPECT_EQ(top.out, tree.Path("docs/report.txt") + "\n");

    const CliResult folders = RunCli({"--criteria", saved, tree.Path("notes")});
    EXPECT_EQ(folders.status, 1);

    const CliResult words = RunCli({"--criteria", saved, "-w", "quarterly"});
    EXPECT_EQ(words.out, tree.Path("docs/report.txt") + "\n");
}

TEST_F(CliRun, UnreadableResultFilesExitTwo)
{
    CliResult result = RunCli({"--list", tree.Path("missing.sifter")});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "sifter-cli: --list: '" + tree.Path("missing.sifter") + "': No such file or directory\n");

    const std::string text = tree.WriteFile("text.sifter", "just some text");
    result = RunCli({"--list", text});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "sifter-cli: --list: '" + text + "': not a Sifter result file\n");

    result = RunCli({"--criteria", text, tree.Root()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "sifter-cli: --criteria: '" + text + "': not a Sifter result file\n");
}

TEST_F(CliRun, ACutResultFileListsItsCompleteRecordsAndExitsTwo)
{
    const std::string saved = tree.Path("r.sifter");
    ASSERT_EQ(RunCli({"-n", "*.txt", "-o", saved, tree.Root()}).status, 0);
    const CliResult whole = RunCli({"--list", saved});
    ASSERT_EQ(Split(whole.out, '\n').size(), 2u);
    ASSERT_EQ(truncate(saved.c_str(), 2177 + 676 + 100), 0);
    const CliResult cut = RunCli({"--list", saved});
    EXPECT_EQ(cut.status, 2);
    EXPECT_EQ(cut.out, Split(whole.out, '\n')[0] + "\n");
    EXPECT_EQ(cut.err, "sifter-cli: --list: '" + saved + "': damaged or cut short after 1 records\n");
}

TEST_F(CliRun, AResultFileCutInsideItsHeaderIsDamagedNotEmpty)
{
    const std::string whole = tree.Path("whole.sifter");
    ASSERT_EQ(RunCli({"-n", "*.txt", "-o", whole, tree.Root()}).status, 0);
    const std::string bytes = test::ReadFileContent(whole);
    for (const std::size_t cut : {5, 1000, 2173, 2175}) {
        const std::string saved = tree.WriteFile("cut.sifter", bytes.substr(0, cut));
        const CliResult listed = RunCli({"--list", saved});
        EXPECT_EQ(listed.status, 2) << cut;
        EXPECT_EQ(listed.out, "") << cut;
        EXPECT_EQ(listed.err, "sifter-cli: --list: '" + saved + "': damaged: it ends inside its header\n") << cut;
        const CliResult criteria = RunCli({"--criteria", saved, tree.Root()});
        EXPECT_EQ(criteria.status, 2) << cut;
        EXPECT_EQ(criteria.out, "") << "nothing is searched";
        EXPECT_EQ(criteria.err, "sifter-cli: --criteria: '" + saved + "': damaged: it ends inside its header\n");
    }
}

TEST_F(CliRun, AnUnwritableSaveFailsBeforeSearching)
{
    const std::string target = tree.Path("missing/r.sifter");
    CliResult result = RunCli({"-n", "report", "-o", target, tree.Root()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "") << "nothing is searched";
    EXPECT_EQ(result.err, "sifter-cli: --save: '" + target + "': No such file or directory\n");

    result = RunCli({"-n", "report", "-o", tree.Path("docs"), tree.Root()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "sifter-cli: --save: '" + tree.Path("docs") + "': Is a directory\n");
}

TEST_F(CliRun, ASaveTargetThatWouldBeRefusedStopsTheRunBeforeTheSearch)
{
    // Fits the folder, but not with the suffix of the save's temporary file.
    const std::string longName = tree.Path(std::string(250, 'r'));
    CliResult result = RunCli({"-n", "report", "-o", longName, tree.Root()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "") << "nothing is searched";
    EXPECT_EQ(result.err, "sifter-cli: --save: '" + longName + "': File name too long\n");

    const std::string socket = tree.Path("socket");
    test::MakeSocketFile(socket);
    result = RunCli({"-n", "report", "-o", socket, tree.Root()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "") << "nothing is searched";
    EXPECT_EQ(result.err, "sifter-cli: --save: '" + socket +
                              "': is a socket; results are saved only to a file, a FIFO or a character device\n");
    EXPECT_FALSE(std::filesystem::exists(longName));
    EXPECT_EQ(std::filesystem::status(socket).type(), std::filesystem::file_type::socket);
}

TEST_F(CliRun, SavingIntoAFifoHandsItsReaderTheResultFile)
{
    const std::string fifo = tree.Path("results.fifo");
    test::MakeFifo(fifo);
    std::string received;
    std::thread reader([&] {
        std::ifstream in(fifo, std::ios::binary);
        received.assign(std::istreambuf_iterator<char>(in), {});
    });
    const CliResult result = RunCli({"-n", "*.txt", "-o", fifo, tree.Root()});
    // Should the save never have opened the FIFO, this ends the reader's wait.
    if (const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC); fd >= 0)
        close(fd);
    reader.join();
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(std::filesystem::status(fifo).type(), std::filesystem::file_type::fifo);
    const CliResult listed = RunCli({"--list", tree.WriteFile("copy.sifter", received)});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, result.out);
    EXPECT_EQ(Split(result.out, '\n').size(), 2u);
}

TEST_F(CliRun, SavingIntoDevicesAndStandardOutputLeavesThemInPlace)
{
    // A null device of our own where one can be made (root), else the system's, which
    // only root could replace.
    std::string device = tree.Path("null");
    if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        if (geteuid() == 0)
            GTEST_SKIP() << "cannot make a device node, and /dev/null is not ours to risk";
        device = "/dev/null";
    }
    CliResult result = RunCli({"-n", "report", "-o", device, tree.Root()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(std::filesystem::status(device).type(), std::filesystem::file_type::character);

    // Standard output is a pipe here: the paths come first, then the result file.
    result = RunCli({"-n", "report.txt", "-o", "/dev/stdout", tree.Root()});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string printed = tree.Path("docs/report.txt") + "\n";
    ASSERT_EQ(result.out.substr(0, printed.size()), printed);
    EXPECT_EQ(result.out.substr(printed.size(), 5), std::string("SF01", 5));
    EXPECT_TRUE(std::filesystem::is_symlink("/dev/stdout"));
}

// A tree whose search finds its first file at once and then reads for a long time: after
// the first match come large sparse files (cheap on disk), each ending with the word.
class CliLongRun : public ::testing::Test {
protected:
    static constexpr int kSlowFiles = 40;
    static constexpr off_t kSlowFileSize = 256 * 1024 * 1024;
    static constexpr const char *kWord = "Zebulon";

    CliLongRun()
    {
        tree.WriteFile("slow/a-first.txt", std::string("the ") + kWord);
        for (int i = 0; i < kSlowFiles; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "slow/b-%02d.bin", i);
            const int fd = open(tree.Path(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            EXPECT_GE(fd, 0);
            EXPECT_EQ(pwrite(fd, kWord, 7, kSlowFileSize - 7), 7);
            close(fd);
        }
    }

    TempTree tree;
};

TEST_F(CliLongRun, TheFirstPathArrivesWhileTheSearchGoesOn)
{
    RunningCli cli({"-w", kWord, tree.Path("slow")});
    ASSERT_TRUE(cli.Started());
    const std::optional<std::string> first = cli.ReadLine(kPatience);
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, tree.Path("slow/a-first.txt"));
    EXPECT_TRUE(cli.StillRunning()) << "the path came through the pipe before the search ended";
}

TEST_F(CliLongRun, CtrlCWindsDownAndSavesWhatWasFound)
{
    const std::string saved = tree.Path("partial.sifter");
    RunningCli cli({"-w", kWord, "-o", saved, tree.Path("slow")});
    ASSERT_TRUE(cli.ReadLine(kPatience));
    cli.Signal(SIGINT);
    EXPECT_EQ(cli.Wait(), 128 + SIGINT);
    EXPECT_EQ(cli.ErrorOutput(), "");
    const std::vector<std::string> printed = Split(cli.Output(), '\n');
    EXPECT_GE(printed.size(), 1u);
    EXPECT_LT(printed.size(), static_cast<std::size_t>(kSlowFiles + 1)) << "the run stopped early";
    const CliResult listed = RunCli({"--list", saved});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, cli.Output());
}

TEST_F(CliLongRun, AReaderThatGoesAwayEndsTheRunQuietly)
{
    RunningCli cli({"-w", kWord, tree.Path("slow")});
    ASSERT_TRUE(cli.ReadLine(kPatience));
    cli.CloseOutput();
    EXPECT_EQ(cli.Wait(), 0);
    EXPECT_EQ(cli.ErrorOutput(), "");
}

TEST_F(CliRun, ExcludeSkipsFoldersAndNamesAndIsSavedForTheNextSearch)
{
    EXPECT_EQ(RunCli({"-n", "*.txt", "--exclude", "notes/", tree.Root()}).out, tree.Path("docs/report.txt") + "\n");
    EXPECT_EQ(RunCli({"-n", "numbers", "-w", "numbers", "--exclude", "old", tree.Root()}).status, 1);
    const std::string saved = tree.Path("saved.sifter");
    ASSERT_EQ(RunCli({"-n", "*.txt", "--exclude", tree.Path("docs"), "--date1", ">=-1d", "-o", saved,
                      tree.Root()})
                  .out,
              tree.Path("notes/todo.txt") + "\n");
    // The saved search keeps its exclusions and its relative bound, and runs again with them.
    tree.WriteFile("docs/new.txt", "");
    tree.WriteFile("notes/new.txt", "");
    EXPECT_EQ(Sorted(Split(RunCli({"--criteria", saved}).out, '\n')),
              Sorted({tree.Path("notes/todo.txt"), tree.Path("notes/new.txt")}));
}

TEST_F(CliRun, RegularExpressionsSearchAndInvalidOnesAreRefusedWithTheirPosition)
{
    EXPECT_EQ(RunCli({"--regex-names", "-n", "^rep.*\\.TXT$", tree.Root()}).out, tree.Path("docs/report.txt") + "\n");
    EXPECT_EQ(RunCli({"--regex-words", "-w", "^old num", tree.Root()}).out, tree.Path("docs/old/Report-2019.md") + "\n");
    // Saved, read back and run again: both expressions stay expressions.
    const std::string saved = tree.Path("expressions.sifter");
    ASSERT_EQ(RunCli({"--regex-names", "--regex-words", "-n", "\\.(md|txt)$", "-w", "num[a-z]+s$", "-o", saved,
                      tree.Root()})
                  .status,
              0);
    tree.WriteFile("notes/more.md", "numbers");
    EXPECT_EQ(Sorted(Split(RunCli({"--criteria", saved}).out, '\n')),
              Sorted({tree.Path("docs/report.txt"), tree.Path("docs/old/Report-2019.md"), tree.Path("notes/more.md")}));
    CliResult result = RunCli({"--regex-words", "-w", "a(b", tree.Root()});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("missing ): a(b at position 2"), std::string::npos) << result.err;
    result = RunCli({"--regex-words", "-m", "all", "-w", "ab", tree.Root()});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("modes are any and without"), std::string::npos) << result.err;
}

} // namespace
} // namespace sifter
