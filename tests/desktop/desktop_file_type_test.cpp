// SPDX-License-Identifier: GPL-3.0-or-later
// Registering the ".sifter" type for the user in temporary XDG folders, checked with the
// desktop's own tools (gio, desktop-file-validate) and a real program started from the entry.
#include "desktop/desktop_entry.h"
#include "desktop/desktop_exec.h"
#include "desktop/desktop_integration.h"

#include "support/temp_tree.h"
#include "support/temp_xdg_folders.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace sifter {
namespace {

constexpr std::string_view kType = "application/x-sifter";
constexpr std::string_view kEntryId = "com.norvane.Sifter.desktop";
constexpr std::string_view kOldEntryId = "sifter.desktop";

struct ToolRun {
    int status = -1;  // exit status; -1 when it did not start or end normally
    std::string output;
};

// Runs a tool with its standard output captured (its error output discarded).
ToolRun RunTool(const std::vector<std::string> &argv)
{
    ToolRun run;
    int ends[2];
    if (pipe(ends) != 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, ends[0]);
    std::vector<char *> pointers;
    for (const std::string &argument : argv)
        pointers.push_back(const_cast<char *>(argument.c_str()));
    pointers.push_back(nullptr);
    pid_t pid = 0;
    const int started = posix_spawnp(&pid, pointers[0], &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    char buffer[4096];
    for (ssize_t length; started == 0 && (length = read(ends[0], buffer, sizeof buffer)) > 0;)
        run.output.append(buffer, static_cast<std::size_t>(length));
    close(ends[0]);
    int status = 0;
    if (started == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.status = WEXITSTATUS(status);
    return run;
}

// The default application `gio mime` names for the type; empty when it names none.
std::string GioDefault(std::string_view type = kType)
{
    const ToolRun run = RunTool({"gio", "mime", std::string(type)});
    const std::size_t line = run.output.find("Default application for");
    if (run.status != 0 || line == std::string::npos)
        return {};
    const std::size_t end = run.output.find('\n', line);
    const std::string text = run.output.substr(line, end - line);
    return text.substr(text.rfind(": ") + 2);
}

// The content type `gio info` gives the file.
std::string GioType(const std::string &path)
{
    const ToolRun run = RunTool({"gio", "info", "-a", "standard::content-type", path});
    const std::string key = "standard::content-type: ";
    const std::size_t at = run.output.find(key);
    if (at == std::string::npos)
        return {};
    const std::size_t end = run.output.find('\n', at);
    return run.output.substr(at + key.size(), end - at - key.size());
}

std::size_t Count(const std::string &text, std::string_view what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

bool HasTemporaries(const std::string &folder)
{
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (it->path().filename().native().find(".tmp-") != std::string::npos)
            return true;
    }
    return false;
}

class DesktopFileTypeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::UseTempXdgFolders(tree);
        setenv("HOME", tree.MakeFolder("home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", tree.Path("config").c_str(), 1);
        // gio works on local files alone, without a desktop's daemons.
        setenv("GIO_USE_VFS", "local", 1);
        folders.dataHome = tree.Path("data");
        folders.configHome = tree.Path("config");
        folders.programPath = WriteProgram("bin/sifter");
    }

    // An executable script that writes its $0 and arguments (each ended by a NUL) to "args".
    std::string WriteProgram(const std::string &relative)
    {
        const std::string path = tree.WriteFile(relative, "#!/bin/sh\nprintf '%s\\0' \"$0\" \"$@\" > '" +
                                                              tree.Path("args.tmp") + "'\nmv '" + tree.Path("args.tmp") +
                                                              "' '" + tree.Path("args") + "'\n");
        chmod(path.c_str(), 0755);
        return path;
    }

    // Another application's entry declaring the type.
    void WriteOtherApplication(const std::string &id)
    {
        tree.WriteFile("data/applications/" + id,
                       "[Desktop Entry]\nType=Application\nName=Other\nExec=/bin/true %f\nMimeType=" +
                           std::string(kType) + ";\n");
    }

    std::string EntryPath(std::string_view id = kEntryId) const { return tree.Path("data/applications/" + std::string(id)); }
    std::string PackagePath() const { return tree.Path("data/mime/packages/application-x-sifter.xml"); }
    std::string ListPath() const { return tree.Path("config/mimeapps.list"); }

    bool Register()
    {
        std::string error;
        const bool done = RegisterDesktopFileType(folders, error);
        EXPECT_EQ(done, error.empty()) << error;
        return done;
    }

    bool Unregister()
    {
        std::string error;
        const bool done = UnregisterDesktopFileType(folders, error);
        EXPECT_EQ(done, error.empty()) << error;
        return done;
    }

    // Nothing of ours anywhere: files, associations, and the type in the database.
    void ExpectNothingOfOurs()
    {
        EXPECT_FALSE(test::EntryExists(EntryPath()));
        EXPECT_FALSE(test::EntryExists(PackagePath()));
        EXPECT_EQ(Count(test::ReadFileContent(ListPath()), kEntryId), 0u);
        EXPECT_NE(GioDefault(), kEntryId);
        EXPECT_NE(GioType(tree.WriteFile("probe.sifter", "hello")), kType);
        const FileTypeState state = ReadDesktopFileTypeState(folders);
        EXPECT_FALSE(state.registered);
        EXPECT_FALSE(state.isDefault);
    }

    test::TempTree tree;
    DesktopFolders folders;
};

TEST_F(DesktopFileTypeTest, TheCurrentFoldersAreTheUsersAndTheRunningProgramsPath)
{
    const DesktopFolders current = CurrentDesktopFolders();
    EXPECT_EQ(current.dataHome, tree.Path("data"));
    EXPECT_EQ(current.configHome, tree.Path("config"));
    EXPECT_EQ(current.programPath, std::filesystem::canonical("/proc/self/exe").native());
}

TEST_F(DesktopFileTypeTest, RegisterMakesTheDesktopOpenSifterFilesWithOurEntry)
{
    ASSERT_TRUE(Register());
    EXPECT_EQ(GioDefault(), kEntryId);
    EXPECT_EQ(GioType(tree.WriteFile("x.sifter", "not a result file")), kType);
    EXPECT_EQ(GioType(tree.WriteFile("noextension", std::string("SF01\0rest", 9))), kType);
    EXPECT_NE(GioType(tree.WriteFile("lookalike", "SF01Xrest")), kType);
    // The type names the result files' icon, the one the installation puts in the theme.
    EXPECT_NE(test::ReadFileContent(tree.Path("data/mime/icons")).find("application/x-sifter:application-x-sifter\n"),
              std::string::npos);
    const FileTypeState state = ReadDesktopFileTypeState(folders);
    EXPECT_TRUE(state.registered);
    EXPECT_TRUE(state.isDefault);
    EXPECT_EQ(state.otherDefault, "");
    EXPECT_EQ(state.failure, "");
    EXPECT_FALSE(HasTemporaries(tree.Root()));
}

TEST_F(DesktopFileTypeTest, UnregisterLeavesNothingOfOurs)
{
    tree.WriteFile("config/mimeapps.list", "# mine\n[Default Applications]\ntext/plain=editor.desktop\n");
    ASSERT_TRUE(Register());
    ASSERT_TRUE(Unregister());
    ExpectNothingOfOurs();
    const std::string list = test::ReadFileContent(ListPath());
    EXPECT_NE(list.find("# mine\n[Default Applications]\ntext/plain=editor.desktop\n"), std::string::npos) << list;
}

TEST_F(DesktopFileTypeTest, UnregisterWithoutRegisterChangesNothing)
{
    const std::string before = "[Added Associations]\napplication/x-sifter=other.desktop;\n";
    tree.WriteFile("config/mimeapps.list", before);
    ASSERT_TRUE(Unregister());
    EXPECT_EQ(test::ReadFileContent(ListPath()), before);
    EXPECT_FALSE(test::EntryExists(tree.Path("data")));
}

TEST_F(DesktopFileTypeTest, ADefaultOfAnotherApplicationSetBeforeStaysTheDefault)
{
    WriteOtherApplication("other.desktop");
    const std::string before = "[Default Applications]\napplication/x-sifter=other.desktop\n";
    tree.WriteFile("config/mimeapps.list", before);
    ASSERT_TRUE(Register());
    EXPECT_EQ(GioDefault(), "other.desktop");
    EXPECT_EQ(test::ReadFileContent(ListPath()), before);
    FileTypeState state = ReadDesktopFileTypeState(folders);
    EXPECT_TRUE(state.registered);
    EXPECT_FALSE(state.isDefault);
    EXPECT_EQ(state.otherDefault, "other.desktop");
    ASSERT_TRUE(Unregister());
    EXPECT_EQ(test::ReadFileContent(ListPath()), before);
    EXPECT_EQ(GioDefault(), "other.desktop");
}

TEST_F(DesktopFileTypeTest, ADefaultGivenToAnotherApplicationAfterwardsSurvivesUnregister)
{
    WriteOtherApplication("other.desktop");
    ASSERT_TRUE(Register());
    ASSERT_EQ(RunTool({"gio", "mime", std::string(kType), "other.desktop"}).status, 0);
    ASSERT_EQ(GioDefault(), "other.desktop");
    EXPECT_EQ(ReadDesktopFileTypeState(folders).otherDefault, "other.desktop");
    ASSERT_TRUE(Unregister());
    EXPECT_EQ(GioDefault(), "other.desktop");
    const std::string list = test::ReadFileContent(ListPath());
    EXPECT_EQ(Count(list, "other.desktop"), 2u) << list;  // the default and the added association
    ExpectNothingOfOurs();
}

TEST_F(DesktopFileTypeTest, ADefaultNamingAnApplicationNotInstalledIsTakenOver)
{
    tree.WriteFile("config/mimeapps.list", "[Default Applications]\napplication/x-sifter=removed.desktop\n");
    ASSERT_TRUE(Register());
    EXPECT_EQ(GioDefault(), kEntryId);
}

TEST_F(DesktopFileTypeTest, RegisteringTwiceWritesNoLineTwice)
{
    ASSERT_TRUE(Register());
    const std::string once = test::ReadFileContent(ListPath());
    ASSERT_TRUE(Register());
    const std::string list = test::ReadFileContent(ListPath());
    EXPECT_EQ(list, once);
    EXPECT_EQ(Count(list, "[Default Applications]"), 1u);
    EXPECT_EQ(Count(list, "[Added Associations]"), 1u);
    EXPECT_EQ(Count(list, kEntryId), 2u) << list;
}

TEST_F(DesktopFileTypeTest, AnyOrderOfRegisterAndUnregisterEndsConsistent)
{
    tree.WriteFile("config/mimeapps.list", "[Added Associations]\ntext/plain=editor.desktop;\n");
    const bool steps[] = {true, true, false, false, true, false, true, true, true, false, false, true};
    for (bool registering : steps) {
        ASSERT_TRUE(registering ? Register() : Unregister());
        const FileTypeState state = ReadDesktopFileTypeState(folders);
        EXPECT_EQ(state.registered, registering);
        EXPECT_EQ(state.isDefault, registering);
        const std::string list = test::ReadFileContent(ListPath());
        EXPECT_EQ(Count(list, kEntryId), registering ? 2u : 0u) << list;
        EXPECT_EQ(Count(list, "text/plain=editor.desktop;"), 1u) << list;
        EXPECT_FALSE(HasTemporaries(tree.Root()));
    }
    EXPECT_EQ(GioDefault(), kEntryId);
    ASSERT_TRUE(Unregister());
    ExpectNothingOfOurs();
}

TEST_F(DesktopFileTypeTest, AnEntryOfOurIdThatWeDidNotWriteIsLeftAlone)
{
    const std::string foreign = "[Desktop Entry]\nType=Application\nName=Sifter\nExec=sifter %f\n"
                                "MimeType=application/x-sifter;\n";
    tree.WriteFile("data/applications/" + std::string(kEntryId), foreign);
    std::string error;
    EXPECT_FALSE(RegisterDesktopFileType(folders, error));
    EXPECT_NE(error.find(EntryPath()), std::string::npos) << error;
    EXPECT_FALSE(test::EntryExists(PackagePath()));
    EXPECT_FALSE(UnregisterDesktopFileType(folders, error));
    EXPECT_EQ(test::ReadFileContent(EntryPath()), foreign);
    const FileTypeState state = ReadDesktopFileTypeState(folders);
    EXPECT_FALSE(state.registered);
    EXPECT_NE(state.failure.find(EntryPath()), std::string::npos);
}

// The entry and associations that an earlier build's Register wrote under the old id.
void WriteOldRegistration(test::TempTree &tree, const std::string &marker)
{
    tree.WriteFile("data/applications/sifter.desktop", "[Desktop Entry]\nType=Application\nName=Sifter\n"
                                                       "Exec=/bin/true %f\nMimeType=application/x-sifter;\n" +
                                                           marker);
    tree.WriteFile("config/mimeapps.list", "[Default Applications]\napplication/x-sifter=sifter.desktop;\n"
                                           "[Added Associations]\napplication/x-sifter=sifter.desktop;\n");
}

TEST_F(DesktopFileTypeTest, UnregisterAlsoTakesBackTheEntryOfThePreviousVersionsId)
{
    WriteOldRegistration(tree, "X-Sifter-Written-By=options\n");
    ASSERT_EQ(GioDefault(), kOldEntryId);
    ASSERT_TRUE(Unregister());
    EXPECT_FALSE(test::EntryExists(EntryPath(kOldEntryId)));
    EXPECT_EQ(Count(test::ReadFileContent(ListPath()), kOldEntryId), 0u);
    EXPECT_EQ(GioDefault(), "");
}

TEST_F(DesktopFileTypeTest, RegisterReplacesTheEntryOfThePreviousVersionsIdAndTakesItsDefault)
{
    WriteOldRegistration(tree, "X-Sifter-Written-By=options\n");
    ASSERT_TRUE(Register());
    EXPECT_FALSE(test::EntryExists(EntryPath(kOldEntryId)));
    EXPECT_EQ(GioDefault(), kEntryId);
    EXPECT_EQ(Count(test::ReadFileContent(ListPath()), kOldEntryId), 0u);
}

TEST_F(DesktopFileTypeTest, AnEntryOfTheOldIdThatWeDidNotWriteStays)
{
    WriteOldRegistration(tree, "");
    const std::string list = test::ReadFileContent(ListPath());
    ASSERT_TRUE(Unregister());
    EXPECT_TRUE(test::EntryExists(EntryPath(kOldEntryId)));
    EXPECT_EQ(test::ReadFileContent(ListPath()), list);
}

TEST_F(DesktopFileTypeTest, APackageOfOurNameThatWeDidNotWriteIsLeftAlone)
{
    ASSERT_TRUE(Register());
    const std::string foreign = "<?xml version=\"1.0\"?>\n<mime-info/>\n";
    tree.WriteFile("data/mime/packages/application-x-sifter.xml", foreign);
    std::string error;
    EXPECT_FALSE(UnregisterDesktopFileType(folders, error));
    EXPECT_NE(error.find(PackagePath()), std::string::npos) << error;
    EXPECT_EQ(test::ReadFileContent(PackagePath()), foreign);
    EXPECT_FALSE(test::EntryExists(EntryPath()));  // what is ours still goes
}

TEST_F(DesktopFileTypeTest, AnApplicationsFolderWithoutWriteAccessIsAFailureWithItsReason)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "this process ignores permission bits (root)";
    const std::string applications = tree.MakeFolder("data/applications");
    chmod(applications.c_str(), 0555);
    std::string error;
    EXPECT_FALSE(RegisterDesktopFileType(folders, error));
    EXPECT_EQ(error, "no write access to " + applications);
    EXPECT_EQ(ReadDesktopFileTypeState(folders).failure, error);
    EXPECT_FALSE(test::EntryExists(PackagePath()));  // refused before anything was written
    chmod(applications.c_str(), 0755);
}

TEST_F(DesktopFileTypeTest, AnApplicationsFolderThatIsAFileIsAFailureWithItsReason)
{
    tree.WriteFile("data/applications", "not a folder");
    std::string error;
    EXPECT_FALSE(RegisterDesktopFileType(folders, error));
    EXPECT_EQ(error, tree.Path("data/applications") + " is not a folder");
    EXPECT_FALSE(ReadDesktopFileTypeState(folders).registered);
}

TEST_F(DesktopFileTypeTest, AMissingMimeDatabaseToolIsReportedAndNothingIsWritten)
{
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", tree.MakeFolder("empty-bin").c_str(), 1);
    std::string error;
    const bool done = RegisterDesktopFileType(folders, error);
    const FileTypeState state = ReadDesktopFileTypeState(folders);
    setenv("PATH", path.c_str(), 1);
    EXPECT_FALSE(done);
    EXPECT_NE(error.find("update-mime-database"), std::string::npos) << error;
    EXPECT_NE(state.failure.find("update-mime-database"), std::string::npos) << state.failure;
    EXPECT_FALSE(test::EntryExists(tree.Path("data/mime")));
    EXPECT_FALSE(test::EntryExists(tree.Path("data/applications")));
}

TEST_F(DesktopFileTypeTest, AProgramPathTheEntryCannotCarryIsRefused)
{
    for (const char *folder : {"bin/\xff\xfe", "bin/a%=b", "bin/bell\a"}) {
        folders.programPath = WriteProgram(std::string(folder) + "/sifter");
        std::string error;
        EXPECT_FALSE(RegisterDesktopFileType(folders, error));
        EXPECT_NE(error.find(folders.programPath), std::string::npos) << error;
        EXPECT_FALSE(test::EntryExists(EntryPath()));
    }
}

// A hostile list: bytes that are no text, a line of half a megabyte, carriage returns, a
// repeated group, other types' lines and comments; both groups are there already.
std::string HostileList()
{
    constexpr char kJunk[] = "\x01\x02\xff\xfe junk\0with a NUL\n";
    std::string list(kJunk, sizeof kJunk - 1);
    list += "# comment =\r\n[Default Applications]\r\ntext/plain=editor.desktop\r\n";
    list += std::string(500 * 1024, 'x') + "\n";
    list += "[Added Associations]\n image/png = viewer.desktop;other.desktop;\n[Unknown\n=\n";
    list += "[Default Applications]\ntext/html=browser.desktop\n# last";
    return list;
}

TEST_F(DesktopFileTypeTest, AHostileListKeepsEveryByteButOurLines)
{
    const std::string before = HostileList();
    tree.WriteFile("config/mimeapps.list", before);
    ASSERT_TRUE(Register());
    EXPECT_EQ(GioDefault(), kEntryId);
    const std::string registered = test::ReadFileContent(ListPath());
    EXPECT_EQ(registered.size(), before.size() + 2 * ("application/x-sifter=" + std::string(kEntryId) + ";\n").size());
    ASSERT_TRUE(Unregister());
    EXPECT_EQ(test::ReadFileContent(ListPath()), before);
}

TEST_F(DesktopFileTypeTest, AListWithoutGroupsGetsOursAppendedAndKeepsItsBytes)
{
    const std::string before = std::string("\x7f\x45\x4c\x46\0\0binary", 12) + std::string(100000, '[');
    tree.WriteFile("config/mimeapps.list", before);
    ASSERT_TRUE(Register());
    const std::string registered = test::ReadFileContent(ListPath());
    EXPECT_EQ(registered.substr(0, before.size()), before);
    EXPECT_EQ(Count(registered, kEntryId), 2u);
    ASSERT_TRUE(Unregister());
    const std::string after = test::ReadFileContent(ListPath());
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(Count(after, kEntryId), 0u);
}

TEST_F(DesktopFileTypeTest, AListTooLargeToReadIsLeftUntouchedAndReported)
{
    const std::string before = "[Default Applications]\n" + std::string(2 * 1024 * 1024, '#') + "\n";
    tree.WriteFile("config/mimeapps.list", before);
    std::string error;
    EXPECT_FALSE(RegisterDesktopFileType(folders, error));
    EXPECT_NE(error.find(ListPath()), std::string::npos) << error;
    EXPECT_EQ(test::ReadFileContent(ListPath()), before);
    EXPECT_FALSE(UnregisterDesktopFileType(folders, error));
    EXPECT_EQ(test::ReadFileContent(ListPath()), before);
    EXPECT_FALSE(ReadDesktopFileTypeState(folders).failure.empty());
}

// The program path in every form that needs quoting or escaping reaches the started program
// whole, read back by the desktop-entry rules, by desktop-file-validate and by gio.
TEST_F(DesktopFileTypeTest, AProgramPathOfAnyFormIsQuotedSoThatTheProgramGetsTheFile)
{
    const char *names[] = {"with blank",   "double\"quote", "single'quote", "dollar$HOME", "percent%f",
                           "back\\slash",  "Sökvägen",      "tick`date`",   "semi;colon&",  "all \"'$%\\ é"};
    const bool validator = RunTool({"desktop-file-validate", "--help"}).status == 0;
    const std::string file = tree.WriteFile("a result.sifter", "SF01");
    for (const char *name : names) {
        SCOPED_TRACE(name);
        folders.programPath = WriteProgram(std::string(name) + "/sifter");
        ASSERT_TRUE(Register());

        const std::optional<DesktopEntry> entry = ReadDesktopEntry(EntryPath(), std::string(kEntryId), {});
        ASSERT_TRUE(entry);
        const std::optional<DesktopExec> exec = ParseDesktopExec(entry->exec);
        ASSERT_TRUE(exec) << entry->exec;
        ExecFieldValues values;
        values.filePath = file;
        std::vector<std::string> expected{folders.programPath, file};
        // A "%" in the program's path hides the program from the desktop: a launcher starts it.
        if (folders.programPath.find('%') != std::string::npos)
            expected.insert(expected.begin(), "/usr/bin/env");
        EXPECT_EQ(ExpandDesktopExec(*exec, values), expected);
        if (validator) {
            EXPECT_EQ(RunTool({"desktop-file-validate", EntryPath()}).status, 0);
        }

        unlink(tree.Path("args").c_str());
        ASSERT_EQ(RunTool({"gio", "launch", EntryPath(), file}).status, 0);
        std::string arguments;
        for (int wait = 0; wait < 500 && (arguments = test::ReadFileContent(tree.Path("args"))).empty(); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(arguments, folders.programPath + '\0' + file + '\0');
    }
}

} // namespace
} // namespace sifter
