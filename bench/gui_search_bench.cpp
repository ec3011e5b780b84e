// SPDX-License-Identifier: GPL-3.0-or-later
// Times a search run from the real main window (offscreen): the pane's boxes filled, Search
// pressed through its button, until the run has returned and the list is painted; next to
// the same criteria run by FileSearch without a window and by sifter-cli, on the tree of
// search_bench, for (a) every entry ("*") and (b) a word found nowhere (every byte read).
// Prints the medians of wall and CPU time (the three take turns) and the ratios window / headless
// and window / sifter-cli.
//
//   gui_search_bench [--scale F] [--runs N] [TREE_FOLDER]
//
// The tree is search_bench's (default /tmp/sifter-bench-SCALE); when it is missing, the
// search_bench of the same build makes it.
#include "app/sifter_app.h"
#include "doc/sifter_doc.h"
#include "frame/main_frame.h"
#include "pane/left_view.h"
#include "results/sifter_view.h"
#include "search/file_search.h"
#include "search/text_field.h"
#include "tree_options.h"

#include <QApplication>
#include <QComboBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <string>
#include <vector>

namespace sifter {
namespace {

namespace fs = std::filesystem;

// search_bench's word that no file holds.
constexpr const char *kAbsentWord = "Quux7plover";

struct Criteria {
    const char *title;
    std::string names;
    std::string words;
};

struct Timed {
    double seconds = 0;    // wall time
    double cpuSeconds = 0; // CPU time of every thread (of sifter-cli for its runs)
    std::size_t rows = 0;
};

using Runner = std::function<std::optional<Timed>()>;

// One warm-up of each, then runs rounds that take turns, so that whatever else the machine
// does weighs on all of them alike; the median of each.
std::optional<std::vector<Timed>> Medians(const std::vector<Runner> &runners, int runs)
{
    std::vector<std::vector<Timed>> all(runners.size());
    for (int round = 0; round <= runs; ++round) {
        for (std::size_t i = 0; i < runners.size(); ++i) {
            const std::optional<Timed> timed = runners[i]();
            if (!timed)
                return std::nullopt;
            if (round > 0)
                all[i].push_back(*timed);
        }
    }
    std::vector<Timed> medians;
    for (std::vector<Timed> &times : all) {
        std::sort(times.begin(), times.end(), [](const Timed &a, const Timed &b) { return a.seconds < b.seconds; });
        medians.push_back(times[times.size() / 2]);
    }
    return medians;
}

double CpuSeconds(int who)
{
    rusage usage{};
    // Both exist on every Linux; zero would only make the CPU figures zero.
    getrusage(who, &usage);
    const auto seconds = [](const timeval &time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The wall and CPU time of work: this process's CPU, or its waited-for children's.
template <typename Work>
void Time(Timed &timed, int who, Work &&work)
{
    const double cpuStart = CpuSeconds(who);
    const auto start = std::chrono::steady_clock::now();
    work();
    timed.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    timed.cpuSeconds = CpuSeconds(who) - cpuStart;
}

std::optional<Timed> WindowRun(CMainFrame &frame, const Criteria &criteria, const std::string &tree)
{
    CLeftView *pane = frame.GetLeftView();
    CSifterView *list = frame.GetResultsView();
    if (!pane || !list)
        return std::nullopt;
    pane->NameBox()->setEditText(QString::fromLocal8Bit(criteria.names.c_str()));
    pane->WordsBox()->setEditText(QString::fromLocal8Bit(criteria.words.c_str()));
    pane->FolderBox()->setEditText(QString::fromLocal8Bit(tree.c_str()));
    Timed timed;
    Time(timed, RUSAGE_SELF, [&] {
        pane->SearchButton()->click();
        // What the run left to show (the last rows, the idle status) is part of its cost.
        QCoreApplication::processEvents();
    });
    timed.rows = static_cast<std::size_t>(list->ItemCount());
    return timed;
}

// search is kept across runs, as the window's document keeps its own (and its type names).
std::optional<Timed> HeadlessRun(FileSearch &search, const Criteria &criteria, const std::string &tree)
{
    SetTextField(search.criteria.names, criteria.names);
    SetTextField(search.criteria.words, criteria.words);
    SetTextField(search.criteria.folders, tree);
    Timed timed;
    Time(timed, RUSAGE_SELF, [&] {
        search.SetRunning(true);
        search.RunSearch(SearchSinks{});
        search.SetRunning(false);
    });
    timed.rows = search.CountFoundFiles();
    return timed;
}

std::optional<Timed> CliRun(const std::string &cli, const Criteria &criteria, const std::string &tree)
{
    QStringList arguments;
    if (!criteria.names.empty())
        arguments << QStringLiteral("-n") << QString::fromLocal8Bit(criteria.names.c_str());
    if (!criteria.words.empty())
        arguments << QStringLiteral("-w") << QString::fromLocal8Bit(criteria.words.c_str());
    arguments << QString::fromLocal8Bit(tree.c_str());
    QProcess process;
    Timed timed;
    QByteArray output;
    Time(timed, RUSAGE_CHILDREN, [&] {
        process.start(QString::fromStdString(cli), arguments);
        while (process.state() != QProcess::NotRunning || process.bytesAvailable() > 0) {
            process.waitForReadyRead(-1);
            output += process.readAllStandardOutput();
        }
        // Reaped, so that its CPU time is counted.
        process.waitForFinished(-1);
    });
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() > 1) {
        std::fprintf(stderr, "gui_search_bench: %s failed\n", cli.c_str());
        return std::nullopt;
    }
    timed.rows = static_cast<std::size_t>(output.count('\n'));
    return timed;
}

// <build>/bench/gui_search_bench -> <build>/bench/NAME or <build>/src/cli/NAME.
std::string SiblingProgram(const char *folder, const char *name)
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return name;
    const fs::path build = self.parent_path().parent_path();
    return ((folder ? build / folder : self.parent_path()) / name).string();
}

bool EnsureTree(const TreeBenchOptions &options)
{
    if (fs::exists(options.root + "/complete"))
        return true;
    std::printf("making the tree with search_bench\n");
    std::fflush(stdout);
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QString::fromStdString(SiblingProgram(nullptr, "search_bench")),
                  {QStringLiteral("--scale"), QString::number(options.scale), QStringLiteral("--runs"),
                   QStringLiteral("1"), QString::fromStdString(options.root)});
    return process.waitForFinished(-1) && process.exitCode() == 0 && fs::exists(options.root + "/complete");
}

void PrintLine(const char *what, const Timed &timed)
{
    std::printf("  %-20s %8.3f s wall  %8.3f s CPU  %7zu rows\n", what, timed.seconds, timed.cpuSeconds, timed.rows);
}

double Ratio(double a, double b)
{
    return b > 0 ? a / b : 0.0;
}

int Main(int argc, char **argv)
{
    TreeBenchOptions options;
    if (!ParseTreeBenchArguments(argc, argv, false, options)) {
        std::fprintf(stderr, "usage: gui_search_bench [--scale F (0 < F <= 1)] [--runs N] [TREE_FOLDER]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApp(argc, argv);
    if (!EnsureTree(options))
        return 1;
    // The window records its histories and layout: in a folder of its own, not the user's.
    QTemporaryDir config;
    if (!config.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication::setQuitOnLastWindowClosed(false);
    CSifterApp app({QStringLiteral("sifter")});
    if (!app.InitInstance() || !app.Frame())
        return 1;
    CMainFrame &frame = *app.Frame();
    // Shown, as a user has it: the rows are painted as they come.
    frame.show();
    QCoreApplication::processEvents();

    const std::string tree = options.root + "/tree";
    const std::string cli = SiblingProgram("src/cli", "sifter-cli");
    const Criteria cases[] = {{"every entry (\"*\")", "*", ""}, {"absent word", "", kAbsentWord}};
    std::printf("tree %s, median of %d warm runs\n", tree.c_str(), options.runs);
    int status = 0;
    for (const Criteria &criteria : cases) {
        FileSearch search;
        const std::optional<std::vector<Timed>> medians = Medians(
            {[&] { return WindowRun(frame, criteria, tree); }, [&] { return HeadlessRun(search, criteria, tree); },
             [&] { return CliRun(cli, criteria, tree); }},
            options.runs);
        if (!medians) {
            status = 1;
            continue;
        }
        const Timed &window = (*medians)[0];
        const Timed &headless = (*medians)[1];
        const Timed &command = (*medians)[2];
        std::printf("%s\n", criteria.title);
        PrintLine("window", window);
        PrintLine("RunSearch, no window", headless);
        PrintLine("sifter-cli", command);
        std::printf("  ratio window / RunSearch: %.2f wall, %.2f CPU   window / sifter-cli: %.2f wall, %.2f CPU\n",
                    Ratio(window.seconds, headless.seconds), Ratio(window.cpuSeconds, headless.cpuSeconds),
                    Ratio(window.seconds, command.seconds), Ratio(window.cpuSeconds, command.cpuSeconds));
        std::fflush(stdout);
    }
    // Nobody is there to answer whether the found files are to be saved.
    if (CSifterDoc *document = app.Doc())
        document->SetModifiedFlag(false);
    frame.close();
    app.ExitInstance(0);
    return status;
}

} // namespace
} // namespace sifter

int main(int argc, char **argv)
{
    return sifter::Main(argc, argv);
}
