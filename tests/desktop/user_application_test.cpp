// SPDX-License-Identifier: GPL-3.0-or-later
// Commands the user names for a file: taken as an Exec with the file last, and kept as a
// desktop entry of ours under a free id.
#include "desktop/user_application.h"

#include "desktop/desktop_applications.h"
#include "support/temp_tree.h"
#include "support/temp_xdg_folders.h"

#include <gtest/gtest.h>

namespace sifter {
namespace {

constexpr char kType[] = "application/x-zzqx";

class UserApplicationTest : public ::testing::Test {
protected:
    void SetUp() override { test::UseTempXdgFolders(tree); }

    static DesktopEntry Command(std::string_view command)
    {
        ExecFault fault = ExecFault::kNone;
        std::optional<DesktopEntry> application = CommandApplication(command, fault);
        EXPECT_TRUE(application) << command;
        return application.value_or(DesktopEntry{});
    }

    test::TempTree tree;
};

TEST_F(UserApplicationTest, ACommandNamingNoFileGetsItAsTheLastArgument)
{
    const DesktopEntry plain = Command("  viewer --x  ");
    EXPECT_EQ(plain.exec, "viewer --x %f");
    EXPECT_EQ(plain.name, "viewer");
    EXPECT_EQ(plain.tryExec, "viewer");
    const DesktopEntry placed = Command("\"/opt/my tools/run\" --url=%u");
    EXPECT_EQ(placed.exec, "\"/opt/my tools/run\" --url=%u");
    EXPECT_EQ(placed.name, "run");
    EXPECT_EQ(placed.tryExec, "/opt/my tools/run");
    ExecFault fault = ExecFault::kNone;
    EXPECT_FALSE(CommandApplication("viewer \"open", fault));
    EXPECT_EQ(fault, ExecFault::kUnclosedQuote);
}

TEST_F(UserApplicationTest, EachCommandKeptGetsAFreeIdAndIsFoundAsAHiddenApplicationOfTheType)
{
    const DesktopEntry command = Command("/bin/true \"two words\" \"\\$HOME\"");
    std::string first;
    std::string second;
    std::string error;
    ASSERT_TRUE(AddUserApplication(tree.Path("data"), command, kType, first, error)) << error;
    ASSERT_TRUE(AddUserApplication(tree.Path("data"), command, kType, second, error)) << error;
    EXPECT_EQ(first, "sifter-userapp-true.desktop");
    EXPECT_EQ(second, "sifter-userapp-true-2.desktop");

    for (const std::string &id : {first, second}) {
        const std::optional<DesktopEntry> entry = ReadDesktopEntry(tree.Path("data/applications/" + id), id, {});
        ASSERT_TRUE(entry) << id;
        EXPECT_EQ(entry->exec, command.exec);
        EXPECT_EQ(entry->mimeTypes, std::vector<std::string>{kType});
        EXPECT_TRUE(entry->noDisplay);
    }
    const ChooserApplications chooser = ChooserApplicationsForTypes({kType});
    EXPECT_TRUE(chooser.declared.empty());
    EXPECT_TRUE(chooser.others.empty());
}

TEST_F(UserApplicationTest, ACommandThatIsNoUtf8IsRefusedAndLeavesNoFile)
{
    DesktopEntry command = Command("/bin/true \"caf\xe9\"");
    std::string id;
    std::string error;
    EXPECT_FALSE(AddUserApplication(tree.Path("data"), command, kType, id, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(test::EntryExists(tree.Path("data/applications/sifter-userapp-true.desktop")));
}

} // namespace
} // namespace sifter
