// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/command_quoting.h"
#include "desktop/desktop_entry.h"
#include "desktop/desktop_exec.h"
#include "desktop/desktop_integration.h"
#include "desktop/thunar_actions.h"

#include "support/count_of.h"
#include "support/temp_tree.h"

#include <QString>
#include <QXmlStreamReader>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace sifter {
namespace {

using test::CountOf;
using test::EntryExists;
using test::ReadFileContent;
using test::TempTree;
using Arguments = std::vector<std::string>;

constexpr const char *kDolphinMenu = "data/kio/servicemenus/sifter-folder.desktop";
constexpr const char *kNautilusScript = "data/nautilus/scripts/Sifter";
constexpr const char *kNemoAction = "data/nemo/actions/sifter-folder.nemo_action";
constexpr const char *kUcaFile = "config/Thunar/uca.xml";

// Two actions of the user's, as Thunar writes them, with a comment of the user's own.
constexpr std::string_view kUsersUca = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                       "<actions>\n"
                                       "<action>\n"
                                       "\t<icon>utilities-terminal</icon>\n"
                                       "\t<name>Open Terminal Here</name>\n"
                                       "\t<unique-id>1234-1</unique-id>\n"
                                       "\t<command>exo-open --working-directory %f</command>\n"
                                       "\t<patterns>*</patterns>\n"
                                       "\t<directories/>\n"
                                       "</action>\n"
                                       "<!-- mine -->\n"
                                       "<action>\n"
                                       "\t<name>Zip &amp; mail</name>\n"
                                       "\t<unique-id>1234-2</unique-id>\n"
                                       "\t<command>zipmail %F</command>\n"
                                       "\t<patterns>*.txt;*.md</patterns>\n"
                                       "\t<text-files/>\n"
                                       "</action>\n"
                                       "</actions>\n";

// A program that records each start's arguments as a file of NUL-ended strings in the
// folder named by SIFTER_TEST_RECORDS.
constexpr std::string_view kRecorder = "#!/bin/sh\n"
                                       "out=\"$SIFTER_TEST_RECORDS/$$\"\n"
                                       "printf '%s\\0' \"$@\" > \"$out.part\" && mv \"$out.part\" \"$out.args\"\n";

struct ProgramRun {
    int exitCode = -1;
    std::string output;  // stdout and stderr
};

// Runs argv and waits for it, its output collected in a file of the tree.
ProgramRun RunProgram(const TempTree &tree, const Arguments &argv)
{
    const std::string outputPath = tree.Path("run-output");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    std::vector<char *> pointers;
    for (const std::string &argument : argv)
        pointers.push_back(const_cast<char *>(argument.c_str()));
    pointers.push_back(nullptr);
    ProgramRun run;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv.front().c_str(), &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    run.output = ReadFileContent(outputPath);
    return run;
}

std::optional<std::string> FindProgram(const std::string &name)
{
    for (const char *folder : {"/usr/bin/", "/bin/", "/usr/local/bin/"}) {
        if (access((folder + name).c_str(), X_OK) == 0)
            return folder + name;
    }
    return std::nullopt;
}

bool IsExecutableFile(const std::string &path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 0111) == 0111;
}

// The names in a folder that contain contained.
std::vector<std::string> NamesIn(const std::string &folder, std::string_view contained)
{
    std::vector<std::string> names;
    if (DIR *dir = opendir(folder.c_str())) {
        while (const dirent *entry = readdir(dir)) {
            if (std::string_view(entry->d_name).find(contained) != std::string_view::npos)
                names.emplace_back(entry->d_name);
        }
        closedir(dir);
    }
    return names;
}

// The argument lists the recorder saw, sorted; waits until count of them have arrived.
std::vector<Arguments> RecordedStarts(const std::string &folder, std::size_t count)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (NamesIn(folder, ".args").size() < count && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::vector<Arguments> starts;
    for (const std::string &name : NamesIn(folder, ".args")) {
        const std::string content = ReadFileContent(folder + "/" + name);
        Arguments arguments;
        for (std::size_t start = 0, end; (end = content.find('\0', start)) != std::string::npos; start = end + 1)
            arguments.push_back(content.substr(start, end - start));
        starts.push_back(arguments);
    }
    std::sort(starts.begin(), starts.end());
    return starts;
}

// The arguments a desktop-entry Exec line in group starts the program with on folder.
std::optional<Arguments> DesktopExecArguments(const std::string &content, std::string_view group,
                                              const std::string &folder)
{
    std::optional<std::string> exec;
    ForEachDesktopKey(content, [&exec, group](std::string_view inGroup, std::string_view key, std::string_view value) {
        if (inGroup == group && key == "Exec")
            exec = UnescapeDesktopString(value);
    });
    if (!exec)
        return std::nullopt;
    const std::optional<DesktopExec> parsed = ParseDesktopExec(*exec);
    if (!parsed)
        return std::nullopt;
    ExecFieldValues values;
    values.filePath = folder;
    return ExpandDesktopExec(*parsed, values);
}

struct UcaAction {
    std::string uniqueId;
    std::string command;
};

// The top-level actions of a uca.xml; empty when it is not well-formed.
std::optional<std::vector<UcaAction>> UcaActions(const std::string &text)
{
    QXmlStreamReader reader(QString::fromStdString(text));
    std::vector<UcaAction> actions;
    int depth = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (depth == 2 && reader.name() == u"action")
                actions.emplace_back();
            if (depth == 3 && reader.name() == u"unique-id")
                actions.back().uniqueId = reader.readElementText().toStdString(), --depth;
            else if (depth == 3 && reader.name() == u"command")
                actions.back().command = reader.readElementText().toStdString(), --depth;
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    if (reader.hasError())
        return std::nullopt;
    return actions;
}

// What Thunar runs for our action on folder: its codes filled in ("%f" quoted for the shell).
std::string ThunarCommandLine(std::string_view command, const std::string &folder)
{
    std::string line;
    for (std::size_t pos = 0; pos < command.size(); ++pos) {
        if (command[pos] == '%' && pos + 1 < command.size()) {
            ++pos;
            line += command[pos] == 'f' ? QuoteShellWord(folder) : std::string(1, command[pos]);
        } else {
            line += command[pos];
        }
    }
    return line;
}

class FolderActionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("HOME", tree_.MakeFolder("home").c_str(), 1);
        setenv("XDG_DATA_HOME", tree_.Path("data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", tree_.Path("config").c_str(), 1);
        setenv("XDG_DATA_DIRS", (tree_.MakeFolder("sysdata") + ":/usr/share").c_str(), 1);
        setenv("SIFTER_TEST_RECORDS", tree_.MakeFolder("records").c_str(), 1);
        folders_ = {tree_.Path("data"), tree_.Path("config"), InstallRecorder("bin/sifter")};
    }

    // The recorder at relative, made executable; returns its path.
    std::string InstallRecorder(std::string_view relative) const
    {
        const std::string path = tree_.WriteFile(relative, kRecorder);
        chmod(path.c_str(), 0755);
        return path;
    }

    std::string Content(const char *relative) const { return ReadFileContent(tree_.Path(relative)); }

    bool Add(std::vector<std::string> *errors = nullptr)
    {
        std::vector<std::string> seen;
        const bool added = AddFolderActions(folders_, seen);
        if (errors)
            *errors = seen;
        else
            EXPECT_TRUE(seen.empty()) << seen.front();
        return added;
    }

    bool Remove(std::vector<std::string> *errors = nullptr)
    {
        std::vector<std::string> seen;
        const bool removed = RemoveFolderActions(folders_, seen);
        if (errors)
            *errors = seen;
        else
            EXPECT_TRUE(seen.empty()) << seen.front();
        return removed;
    }

    std::vector<FileManagerKind> Installed() const
    {
        const FolderActionState state = ReadFolderActionState(folders_);
        EXPECT_TRUE(state.failures.empty()) << state.failures.front();
        return state.installed;
    }

    // Runs the Nautilus script as Nautilus does, with the selection given.
    void RunNautilusScript(const std::string &selection)
    {
        setenv("NAUTILUS_SCRIPT_SELECTED_FILE_PATHS", selection.c_str(), 1);
        const ProgramRun run = RunProgram(tree_, {tree_.Path(kNautilusScript)});
        unsetenv("NAUTILUS_SCRIPT_SELECTED_FILE_PATHS");
        EXPECT_EQ(run.exitCode, 0) << run.output;
    }

    TempTree tree_;
    DesktopFolders folders_;
    const std::vector<FileManagerKind> all_ = {FileManagerKind::kDolphin, FileManagerKind::kNautilus,
                                               FileManagerKind::kNemo, FileManagerKind::kThunar};
};

TEST_F(FolderActionsTest, AddPutsTheActionInPlaceForEveryFileManager)
{
    EXPECT_TRUE(Installed().empty());
    ASSERT_TRUE(Add());
    EXPECT_EQ(Installed(), all_);
    EXPECT_TRUE(IsExecutableFile(tree_.Path(kDolphinMenu)));
    EXPECT_TRUE(IsExecutableFile(tree_.Path(kNautilusScript)));
    ASSERT_TRUE(UcaActions(Content(kUcaFile)));
    ASSERT_EQ(UcaActions(Content(kUcaFile))->size(), 1u);
    EXPECT_EQ(UcaActions(Content(kUcaFile))->front().uniqueId, kThunarActionId);
}

// The validator knows no KDE service menus: it holds MimeType and Actions valid only in an
// application's entry, which a service menu must not be. Any other complaint is a fault.
TEST_F(FolderActionsTest, DolphinMenuPassesTheDesktopFileValidator)
{
    const std::optional<std::string> validator = FindProgram("desktop-file-validate");
    if (!validator)
        GTEST_SKIP() << "desktop-file-validate is not installed";
    folders_.programPath = InstallRecorder("odd \"'$%\\ ünï/sifter");
    ASSERT_TRUE(Add());
    const ProgramRun run = RunProgram(tree_, {*validator, tree_.Path(kDolphinMenu)});
    std::string complaints;
    for (std::size_t start = 0, end; start < run.output.size(); start = end + 1) {
        end = std::min(run.output.find('\n', start), run.output.size());
        const std::string line = run.output.substr(start, end - start);
        const bool serviceKey = (line.find("key \"MimeType\"") != std::string::npos ||
                                 line.find("key \"Actions\"") != std::string::npos) &&
                                line.find("the type is \"Service\"") != std::string::npos;
        if (!line.empty() && !serviceKey)
            complaints += line + "\n";
    }
    EXPECT_EQ(complaints, "");
}

class AwkwardProgramPathTest : public FolderActionsTest, public ::testing::WithParamInterface<const char *> {
protected:
    void SetUp() override
    {
        FolderActionsTest::SetUp();
        folders_.programPath = InstallRecorder(std::string(GetParam()) + "/sifter");
        folder_ = tree_.MakeFolder(std::string("searched ") + GetParam());
        ASSERT_TRUE(Add());
    }

    Arguments Expected() const { return {"/f:" + folder_}; }

    std::string folder_;
};

TEST_P(AwkwardProgramPathTest, DolphinStartsTheProgramOnTheFolder)
{
    EXPECT_EQ(DesktopExecArguments(Content(kDolphinMenu), "Desktop Action sifterSearch", folder_),
              Arguments({folders_.programPath, "/f:" + folder_}));
}

TEST_P(AwkwardProgramPathTest, NemoStartsTheProgramOnTheFolder)
{
    // With one folder selected Nemo's "%F" is its path, a piece of an argument as "%f" is
    // in a desktop entry, whose rules the rest of the line follows.
    std::string action = Content(kNemoAction);
    const std::size_t code = action.find(" /f:%F\n");
    ASSERT_NE(code, std::string::npos);
    action[code + 5] = 'f';
    EXPECT_EQ(DesktopExecArguments(action, "Nemo Action", folder_),
              Arguments({folders_.programPath, "/f:" + folder_}));
}

TEST_P(AwkwardProgramPathTest, NautilusScriptStartsTheProgramOnTheFolder)
{
    RunNautilusScript(folder_ + "\n");
    EXPECT_EQ(RecordedStarts(tree_.Path("records"), 1), std::vector<Arguments>{Expected()});
}

TEST_P(AwkwardProgramPathTest, ThunarCommandStartsTheProgramOnTheFolder)
{
    const std::optional<std::vector<UcaAction>> actions = UcaActions(Content(kUcaFile));
    ASSERT_TRUE(actions && actions->size() == 1);
    const ProgramRun run = RunProgram(tree_, {"/bin/sh", "-c", ThunarCommandLine(actions->front().command, folder_)});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(RecordedStarts(tree_.Path("records"), 1), std::vector<Arguments>{Expected()});
}

INSTANTIATE_TEST_SUITE_P(Paths, AwkwardProgramPathTest,
                         ::testing::Values("with blanks", "double\"quote", "single'quote", "dollar$HOME",
                                           "percent%f%%", "back\\slash", "ünïcödé", "back`tick`", "semi;colon&amp",
                                           "all \"'$%\\ é `x` #(1)", "line\nbreak\ttab"));

TEST_F(FolderActionsTest, NautilusScriptStartsEveryFolderOfTheSelectionAndNothingElse)
{
    ASSERT_TRUE(Add());
    const std::string plain = tree_.MakeFolder("plain");
    const std::string blanks = tree_.MakeFolder("  two  blanks ");
    const std::string broken = tree_.MakeFolder("line\nbreak");
    const std::string file = tree_.WriteFile("a file", "x");
    RunNautilusScript(plain + "\n" + file + "\n" + tree_.Path("gone") + "\n" + blanks + "\n" + broken + "\n");
    const std::vector<Arguments> expected = [&] {
        std::vector<Arguments> starts = {{"/f:" + plain}, {"/f:" + blanks}, {"/f:" + broken}};
        std::sort(starts.begin(), starts.end());
        return starts;
    }();
    EXPECT_EQ(RecordedStarts(tree_.Path("records"), expected.size()), expected);
}

TEST_F(FolderActionsTest, NautilusScriptWithoutSelectionStartsNothing)
{
    ASSERT_TRUE(Add());
    RunNautilusScript("");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_TRUE(RecordedStarts(tree_.Path("records"), 0).empty());
}

TEST_F(FolderActionsTest, ThunarKeepsTheUsersActionsByteForByteAndRemoveRestoresTheFile)
{
    tree_.WriteFile(kUcaFile, kUsersUca);
    ASSERT_TRUE(Add());
    const std::string added = Content(kUcaFile);
    const std::optional<std::vector<UcaAction>> actions = UcaActions(added);
    ASSERT_TRUE(actions);
    ASSERT_EQ(actions->size(), 3u);
    EXPECT_EQ((*actions)[2].uniqueId, kThunarActionId);
    const std::size_t close = kUsersUca.rfind("</actions>");
    EXPECT_TRUE(added.starts_with(kUsersUca.substr(0, close)));
    EXPECT_TRUE(added.ends_with(kUsersUca.substr(close)));
    EXPECT_EQ(Installed(), all_);

    ASSERT_TRUE(Remove());
    EXPECT_EQ(Content(kUcaFile), kUsersUca);
    EXPECT_TRUE(Installed().empty());
}

TEST_F(FolderActionsTest, RemoveWithoutAddChangesNothing)
{
    tree_.WriteFile(kUcaFile, kUsersUca);
    tree_.WriteFile("data/nautilus/scripts/Other", "#!/bin/sh\n");
    ASSERT_TRUE(Remove());
    EXPECT_EQ(Content(kUcaFile), kUsersUca);
    std::vector<std::string> scripts = NamesIn(tree_.Path("data/nautilus/scripts"), "");
    std::sort(scripts.begin(), scripts.end());
    EXPECT_EQ(scripts, std::vector<std::string>({".", "..", "Other"}));
    EXPECT_TRUE(EntryExists(tree_.Path("data/nautilus/scripts/Other")));
    EXPECT_FALSE(EntryExists(tree_.Path("data/kio")));
    EXPECT_FALSE(EntryExists(tree_.Path("data/nemo")));
}

TEST_F(FolderActionsTest, UnparsableUcaIsLeftUntouchedAndReported)
{
    const std::string broken = std::string(kUsersUca.substr(0, kUsersUca.size() - 5));
    tree_.WriteFile(kUcaFile, broken);
    std::vector<std::string> errors;
    EXPECT_FALSE(Add(&errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors.front().starts_with("Thunar: ")) << errors.front();
    EXPECT_EQ(Content(kUcaFile), broken);

    // The other file managers are served all the same.
    const FolderActionState state = ReadFolderActionState(folders_);
    EXPECT_EQ(state.installed, std::vector<FileManagerKind>(all_.begin(), all_.end() - 1));
    ASSERT_EQ(state.failures.size(), 1u);
    EXPECT_TRUE(state.failures.front().starts_with("Thunar: ")) << state.failures.front();

    EXPECT_FALSE(Remove(&errors));
    EXPECT_EQ(Content(kUcaFile), broken);
    EXPECT_FALSE(EntryExists(tree_.Path(kDolphinMenu)));
}

TEST_F(FolderActionsTest, FilesOfTheSameNameWithoutOurMarkIsNeverReplacedOrRemoved)
{
    const std::string script = "#!/bin/sh\necho my own Sifter\n";
    const std::string menu = "[Desktop Entry]\nType=Service\nName=Mine\n";
    tree_.WriteFile(kNautilusScript, script);
    tree_.WriteFile(kDolphinMenu, menu);
    std::vector<std::string> errors;
    EXPECT_FALSE(Add(&errors));
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_EQ(Content(kNautilusScript), script);
    EXPECT_EQ(Content(kDolphinMenu), menu);
    EXPECT_EQ(Installed(), std::vector<FileManagerKind>({FileManagerKind::kNemo, FileManagerKind::kThunar}));

    ASSERT_TRUE(Remove());
    EXPECT_EQ(Content(kNautilusScript), script);
    EXPECT_EQ(Content(kDolphinMenu), menu);
    EXPECT_TRUE(Installed().empty());
}

TEST_F(FolderActionsTest, AddAndRemoveInAnyOrderNeverDuplicateOrLeaveTemporaries)
{
    tree_.WriteFile(kUcaFile, kUsersUca);
    const std::string steps = "AARARRAAARRA";
    for (const char step : steps) {
        ASSERT_TRUE(step == 'A' ? Add() : Remove());
        const std::size_t ours = step == 'A' ? 1 : 0;
        EXPECT_EQ(CountOf(Content(kUcaFile), kThunarActionId), ours);
        EXPECT_EQ(UcaActions(Content(kUcaFile))->size(), 2 + ours);
        EXPECT_EQ(Installed().size(), ours * all_.size());
        for (const char *folder : {"data/kio/servicemenus", "data/nautilus/scripts", "data/nemo/actions", "config/Thunar"})
            EXPECT_TRUE(NamesIn(tree_.Path(folder), ".tmp-").empty()) << folder;
    }
    ASSERT_TRUE(Remove());
    EXPECT_EQ(Content(kUcaFile), kUsersUca);
}

TEST_F(FolderActionsTest, FilesAreReplacedWholeNeverWrittenInPlace)
{
    tree_.WriteFile(kUcaFile, kUsersUca);
    ASSERT_TRUE(Add());
    // A hard link still shows the old content when a new file was renamed over the name.
    const std::string linked = tree_.Path("uca-link");
    ASSERT_EQ(link(tree_.Path(kUcaFile).c_str(), linked.c_str()), 0);
    const std::string before = ReadFileContent(linked);
    ASSERT_TRUE(Remove());
    EXPECT_EQ(ReadFileContent(linked), before);
    EXPECT_EQ(Content(kUcaFile), kUsersUca);

    // The same for a file of our own rewritten for a program that moved.
    ASSERT_TRUE(Add());
    const std::string menuLink = tree_.Path("menu-link");
    ASSERT_EQ(link(tree_.Path(kNemoAction).c_str(), menuLink.c_str()), 0);
    const std::string oldMenu = ReadFileContent(menuLink);
    folders_.programPath = InstallRecorder("moved/sifter");
    ASSERT_TRUE(Add());
    EXPECT_EQ(ReadFileContent(menuLink), oldMenu);
    EXPECT_NE(Content(kNemoAction), oldMenu);
}

TEST_F(FolderActionsTest, AddGivesBackALostExecutableBit)
{
    ASSERT_TRUE(Add());
    ASSERT_EQ(chmod(tree_.Path(kDolphinMenu).c_str(), 0644), 0);
    EXPECT_EQ(Installed(), std::vector<FileManagerKind>(all_.begin() + 1, all_.end()));
    ASSERT_TRUE(Add());
    EXPECT_TRUE(IsExecutableFile(tree_.Path(kDolphinMenu)));
    EXPECT_EQ(Installed(), all_);
}

TEST_F(FolderActionsTest, UnknownFoldersOrProgramAreReportedAndNothingIsWritten)
{
    folders_.dataHome.clear();
    folders_.configHome = "relative";
    std::vector<std::string> errors;
    EXPECT_FALSE(Add(&errors));
    EXPECT_EQ(errors.size(), all_.size());
    EXPECT_FALSE(EntryExists("relative"));
    EXPECT_FALSE(EntryExists("kio"));
    EXPECT_EQ(ReadFolderActionState(folders_).failures.size(), all_.size());

    folders_ = {tree_.Path("data"), tree_.Path("config"), ""};
    EXPECT_FALSE(Add(&errors));
    EXPECT_FALSE(EntryExists(tree_.Path("data")));
    EXPECT_FALSE(EntryExists(tree_.Path("config")));
}

TEST_F(FolderActionsTest, ProgramPathThatIsNoTextIsRefusedWhereTheFileNeedsText)
{
    folders_.programPath = InstallRecorder("latin1-\xE9/sifter");
    std::vector<std::string> errors;
    EXPECT_FALSE(Add(&errors));
    // A shell script takes any bytes; desktop entries and XML do not.
    EXPECT_EQ(Installed(), std::vector<FileManagerKind>{FileManagerKind::kNautilus});
    EXPECT_EQ(errors.size(), 3u);
    const std::string folder = tree_.MakeFolder("here");
    RunNautilusScript(folder + "\n");
    EXPECT_EQ(RecordedStarts(tree_.Path("records"), 1), std::vector<Arguments>{{"/f:" + folder}});
}

TEST_F(FolderActionsTest, UnwritableConfigurationIsReported)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write anywhere";
    tree_.WriteFile(kUcaFile, kUsersUca);
    ASSERT_EQ(chmod(tree_.Path("config/Thunar").c_str(), 0555), 0);
    std::vector<std::string> errors;
    EXPECT_FALSE(Add(&errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors.front().starts_with("Thunar: ")) << errors.front();
    EXPECT_EQ(Content(kUcaFile), kUsersUca);
    chmod(tree_.Path("config/Thunar").c_str(), 0755);
}

} // namespace
} // namespace sifter
