// SPDX-License-Identifier: GPL-3.0-or-later
// The applications the Open With chooser offers for a type, as GIO finds them in temporary XDG
// folders: the default first, the others of the type by name, then the rest; entries for other
// desktops, with a missing TryExec, Hidden or NoDisplay left out; names in the user's language.
// Whether a type has an application at all, by the same source, also after the entries change.
#include "desktop/desktop_applications.h"

#include "support/scoped_env.h"
#include "support/temp_tree.h"
#include "support/temp_xdg_folders.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>
#include <sstream>

namespace sifter {
namespace {

class GioApplicationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::UseTempXdgFolders(tree);
        setenv("XDG_CONFIG_HOME", tree.Path("config").c_str(), 1);
        setenv("HOME", tree.Path("home").c_str(), 1);
    }

    void WriteEntry(const std::string &relative, const std::string &name, const std::string &mimeTypes,
                    const std::string &extra = {}, const std::string &base = "data")
    {
        tree.WriteFile(base + "/applications/" + relative, "[Desktop Entry]\nType=Application\nName=" + name +
                                                               "\nExec=true %f\nMimeType=" + mimeTypes + "\n" + extra);
    }

    // The lines answer() writes, run in a child process: GIO reads the folders of the
    // environment once per process.
    static std::vector<std::string> InChild(const std::function<std::string()> &answer)
    {
        int fds[2];
        if (pipe(fds) != 0)
            return {"pipe failed"};
        const pid_t child = fork();
        if (child == 0) {
            close(fds[0]);
            const std::string text = answer();
            const bool written = write(fds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
            _exit(written ? 0 : 1);
        }
        close(fds[1]);
        std::string text;
        char buffer[4096];
        for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<std::size_t>(n));
        close(fds[0]);
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return {"child failed"};
        std::vector<std::string> lines;
        std::istringstream stream(text);
        for (std::string line; std::getline(stream, line);)
            lines.push_back(line);
        return lines;
    }

    // "Name=id" of the declared entries, "|", then those of the others.
    static std::vector<std::string> Chooser(const std::vector<std::string> &types)
    {
        return InChild([&types] {
            const ChooserApplications chooser = ChooserApplicationsForTypes(types);
            std::string text;
            for (const DesktopEntry &entry : chooser.declared)
                text += entry.name + "=" + entry.id + "\n";
            text += "|\n";
            for (const DesktopEntry &entry : chooser.others)
                text += entry.name + "=" + entry.id + "\n";
            return text;
        });
    }

    // The check's answer, "yes" or "no", and whether the chooser offers any of the types' own.
    static std::vector<std::string> Check(const std::vector<std::string> &types)
    {
        return InChild([&types] {
            return std::string(HasApplicationForTypes(types) ? "yes" : "no") +
                   (ChooserApplicationsForTypes(types).declared.empty() ? "\n" : " offered\n");
        });
    }

    // The index of the types' entries that the desktop's database tool writes.
    void WriteMimeCache(const std::string &lines) { tree.WriteFile("data/applications/mimeinfo.cache", "[MIME Cache]\n" + lines); }

    test::TempTree tree;
};

TEST_F(GioApplicationsTest, TheDefaultComesFirstThenTheTypesOthersByNameThenTheRestByName)
{
    WriteEntry("b.desktop", "beta", "text/plain;");
    WriteEntry("a.desktop", "Alpha", "text/plain;");
    WriteEntry("z.desktop", "Zed", "text/plain;");
    WriteEntry("cards.desktop", "cards", "");
    WriteEntry("images.desktop", "Images", "image/png;");
    tree.WriteFile("config/mimeapps.list", "[Default Applications]\ntext/plain=z.desktop;\n");
    EXPECT_EQ(Chooser({"text/plain"}), (std::vector<std::string>{"Zed=z.desktop", "Alpha=a.desktop", "beta=b.desktop",
                                                                "|", "cards=cards.desktop", "Images=images.desktop"}));
}

TEST_F(GioApplicationsTest, AnAddedAssociationMakesAnEntryOneOfTheTypes)
{
    WriteEntry("editor.desktop", "Editor", "");
    WriteEntry("cards.desktop", "Cards", "");
    tree.WriteFile("config/mimeapps.list", "[Added Associations]\ntext/plain=editor.desktop;\n");
    EXPECT_EQ(Chooser({"text/plain"}), (std::vector<std::string>{"Editor=editor.desktop", "|", "Cards=cards.desktop"}));
}

TEST_F(GioApplicationsTest, EntriesForTheFilesAncestorTypesAreTheTypesOwn)
{
    WriteEntry("b.desktop", "beta", "text/plain;");
    WriteEntry("a.desktop", "Alpha", "application/octet-stream;");
    WriteEntry("image.desktop", "Images", "image/png;");
    EXPECT_EQ(Chooser({"text/x-csrc", "text/plain", "application/octet-stream"}),
              (std::vector<std::string>{"Alpha=a.desktop", "beta=b.desktop", "|", "Images=image.desktop"}));
}

TEST_F(GioApplicationsTest, SubfoldersGiveDashedIdsAndTheUsersEntryHidesTheSystems)
{
    WriteEntry("editor.desktop", "Home Editor", "text/plain;");
    WriteEntry("editor.desktop", "System Editor", "text/plain;", {}, "sysdata");
    WriteEntry("kde/viewer.desktop", "Nested Viewer", "text/plain;", {}, "sysdata");
    EXPECT_EQ(Chooser({"text/plain"}),
              (std::vector<std::string>{"Home Editor=editor.desktop", "Nested Viewer=kde-viewer.desktop", "|"}));
}

TEST_F(GioApplicationsTest, EntriesForOtherDesktopsAreLeftOut)
{
    setenv("XDG_CURRENT_DESKTOP", "XFCE", 1);
    WriteEntry("kde-only.desktop", "KDE Only", "text/plain;", "OnlyShowIn=KDE;\n");
    WriteEntry("xfce-only.desktop", "Xfce Only", "text/plain;", "OnlyShowIn=XFCE;\n");
    WriteEntry("not-xfce.desktop", "Not Xfce", "", "NotShowIn=XFCE;\n");
    WriteEntry("not-kde.desktop", "Not KDE", "", "NotShowIn=KDE;\n");
    EXPECT_EQ(Chooser({"text/plain"}),
              (std::vector<std::string>{"Xfce Only=xfce-only.desktop", "|", "Not KDE=not-kde.desktop"}));
}

TEST_F(GioApplicationsTest, AnEntryWhoseTryExecIsMissingIsLeftOut)
{
    WriteEntry("gone.desktop", "Gone", "text/plain;", "TryExec=/no/such/program\n");
    WriteEntry("gone-in-path.desktop", "Gone Too", "", "TryExec=no-such-program-of-sifter\n");
    WriteEntry("here.desktop", "Here", "text/plain;", "TryExec=/bin/sh\n");
    EXPECT_EQ(Chooser({"text/plain"}), (std::vector<std::string>{"Here=here.desktop", "|"}));
}

TEST_F(GioApplicationsTest, HiddenNoDisplayAndTerminalEntriesAreLeftOutAndHiddenHidesTheSystems)
{
    WriteEntry("quiet.desktop", "Quiet", "text/plain;", "NoDisplay=true\n");
    WriteEntry("console.desktop", "Console", "text/plain;", "Terminal=true\n");
    WriteEntry("removed.desktop", "Removed", "text/plain;", "Hidden=true\n");
    WriteEntry("removed.desktop", "System Removed", "text/plain;", {}, "sysdata");
    WriteEntry("shown.desktop", "Shown", "text/plain;");
    EXPECT_EQ(Chooser({"text/plain"}), (std::vector<std::string>{"Shown=shown.desktop", "|"}));
}

TEST_F(GioApplicationsTest, ANameForTheLanguageCountryAndModifierIsShown)
{
    WriteEntry("viewer.desktop", "Viewer", "text/plain;",
               "Name[de]=Betrachter\nName[de_DE@euro]=Euro-Betrachter\nName[fr]=Visionneuse\n");
    const test::ScopedEnv language("LANGUAGE", nullptr);
    const test::ScopedEnv all("LC_ALL", "de_DE.UTF-8@euro");
    EXPECT_EQ(Chooser({"text/plain"}), (std::vector<std::string>{"Euro-Betrachter=viewer.desktop", "|"}));
    // LANGUAGE comes before the locale, as in every GNU program.
    language.Set("fr:de");
    EXPECT_EQ(Chooser({"text/plain"}), (std::vector<std::string>{"Visionneuse=viewer.desktop", "|"}));
    all.Set("C.UTF-8");
    language.Set(nullptr);
    EXPECT_EQ(Chooser({"text/plain"}), (std::vector<std::string>{"Viewer=viewer.desktop", "|"}));
}

TEST_F(GioApplicationsTest, ATypeHasAnApplicationWhenGioHasADefaultOrTheChooserOffersOne)
{
    WriteEntry("text.desktop", "Text", "text/plain;", "NoDisplay=true\n");
    WriteEntry("any.desktop", "Any", "application/octet-stream;");
    WriteEntry("plain.desktop", "Plain", "");
    WriteEntry("unindexed.desktop", "Unindexed", "text/x-zzqx;");
    WriteMimeCache("text/plain=text.desktop;\napplication/octet-stream=any.desktop;\n");
    // A NoDisplay default is what the opener starts, though no chooser shows it.
    EXPECT_EQ(Check({"text/x-csrc", "text/plain"}), std::vector<std::string>{"yes"});
    // The chooser offers the program for any bytes first, yet for a picture it is no default.
    EXPECT_EQ(Check({"image/png", "application/octet-stream"}), std::vector<std::string>{"no offered"});
    EXPECT_EQ(Check({"application/octet-stream"}), std::vector<std::string>{"yes offered"});
    // An entry of a folder that no index covers counts as the chooser offers it.
    EXPECT_EQ(Check({"text/x-zzqx"}), std::vector<std::string>{"yes offered"});

    tree.WriteFile("config/mimeapps.list", "[Default Applications]\nimage/png=missing.desktop;plain.desktop;\n"
                                           "[Removed Associations]\ntext/plain=text.desktop;\n");
    EXPECT_EQ(Check({"image/png", "application/octet-stream"}), std::vector<std::string>{"yes offered"});
    EXPECT_EQ(Check({"text/x-csrc", "text/plain"}), std::vector<std::string>{"no"});
    EXPECT_EQ(Check({"image/gif"}), std::vector<std::string>{"no"});
}

TEST_F(GioApplicationsTest, AHiddenEntryOrOneWithoutItsProgramIsNeitherCountedNorOfferedThoughIndexed)
{
    WriteEntry("removed.desktop", "Removed", "text/plain;", "Hidden=true\n");
    WriteEntry("gone.desktop", "Gone", "text/plain;", "TryExec=/no/such/program\n");
    WriteMimeCache("text/plain=removed.desktop;gone.desktop;\n");
    EXPECT_EQ(Check({"text/plain"}), std::vector<std::string>{"no"});
    WriteEntry("unindexed.desktop", "Gone Too", "text/plain;", "TryExec=/no/such/program\n");
    EXPECT_EQ(Check({"text/plain"}), std::vector<std::string>{"no"});
    WriteEntry("here.desktop", "Here", "text/plain;", "TryExec=/bin/sh\n");
    EXPECT_EQ(Check({"text/plain"}), std::vector<std::string>{"yes offered"});
}

TEST_F(GioApplicationsTest, AnEntryAddedOrRemovedWhileTheProgramRunsIsNoticed)
{
    const std::string entry = tree.Path("data/applications/viewer.desktop");
    const std::string cache = tree.Path("data/applications/mimeinfo.cache");
    tree.MakeFolder("data/applications");
    const auto answer = [](bool wanted) {
        // GIO's monitors see the change a moment later, on a thread of their own.
        for (int tries = 0; tries < 100; ++tries) {
            if (HasApplicationForTypes({"text/plain"}) == wanted)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    };
    EXPECT_EQ(InChild([&] {
                  std::string text = answer(false) ? "none" : "stale";
                  WriteEntry("viewer.desktop", "Viewer", "text/plain;");
                  WriteMimeCache("text/plain=viewer.desktop;\n");
                  text += answer(true) ? " added" : " stale";
                  unlink(entry.c_str());
                  unlink(cache.c_str());
                  text += answer(false) ? " removed" : " stale";
                  return text + "\n";
              }),
              std::vector<std::string>{"none added removed"});
}

} // namespace
} // namespace sifter
