// SPDX-License-Identifier: GPL-3.0-or-later
// The user's own mimeapps.list when a default is set: what cannot be read whole is never
// rewritten, and a missing configuration folder is made as the base directory rules ask.
#include "desktop/user_mime_apps.h"

#include "desktop/desktop_entry.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace sifter {
namespace {

constexpr char kType[] = "application/x-zzqx";

class UserMimeAppsTest : public ::testing::Test {
protected:
    test::TempTree tree;
};

TEST_F(UserMimeAppsTest, AListThatCannotBeReadWholeIsLeftAsItIs)
{
    const std::string big = "[Default Applications]\n" + std::string(kMaxDesktopEntryBytes, '#');
    const std::string list = tree.WriteFile("config/mimeapps.list", big);
    std::string error;
    EXPECT_FALSE(SetUserDefaultApplication(tree.Path("config"), kType, "a.desktop", error));
    EXPECT_NE(error.find(list), std::string::npos);
    EXPECT_EQ(test::ReadFileContent(list), big);
}

TEST_F(UserMimeAppsTest, AMissingConfigurationFolderIsMadeForTheUserAlone)
{
    std::string error;
    ASSERT_TRUE(SetUserDefaultApplication(tree.Path("config/new"), kType, "a.desktop", error)) << error;
    struct stat status {};
    ASSERT_EQ(stat(tree.Path("config/new").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    EXPECT_EQ(test::ReadFileContent(tree.Path("config/new/mimeapps.list")),
              "[Default Applications]\napplication/x-zzqx=a.desktop;\n\n"
              "[Added Associations]\napplication/x-zzqx=a.desktop;\n");
}

} // namespace
} // namespace sifter
