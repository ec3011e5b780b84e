#include "platform/user_folders.h"

#include "platform/path.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <pwd.h>
#include <string>
#include <unistd.h>

namespace sifter {
namespace {

TEST(UserFolders, HomeIsAnAbsoluteHomeVariableElseThePasswordEntry)
{
    EXPECT_EQ(HomeFolderFrom("/home/me", "/home/pw"), "/home/me");
    EXPECT_EQ(HomeFolderFrom("relative", "/home/pw"), "/home/pw");
    EXPECT_EQ(HomeFolderFrom("", "/home/pw"), "/home/pw");
    EXPECT_EQ(HomeFolderFrom(nullptr, "/home/pw"), "/home/pw");
    EXPECT_EQ(HomeFolderFrom(nullptr, ""), "");
    EXPECT_EQ(HomeFolderFrom(nullptr, nullptr), "");
}

TEST(UserFolders, BaseFoldersIgnoreRelativeValuesAndFallBackBelowHome)
{
    EXPECT_EQ(BaseFolderFrom("/xdg/config", "/home/me", kDefaultConfigBelowHome), "/xdg/config");
    EXPECT_EQ(BaseFolderFrom("xdg/config", "/home/me", kDefaultConfigBelowHome), "/home/me/.config");
    EXPECT_EQ(BaseFolderFrom("", "/home/me/", kDefaultDataBelowHome), "/home/me/.local/share");
    EXPECT_EQ(BaseFolderFrom(nullptr, "/", kDefaultStateBelowHome), "/.local/state");
    EXPECT_EQ(BaseFolderFrom(nullptr, "", kDefaultStateBelowHome), "");
}

// Sets environment variables for one test and puts the old values back.
class UserFoldersEnvironment : public ::testing::Test {
protected:
    void Set(const char *name, const char *value)
    {
        if (!saved_.contains(name)) {
            const char *old = std::getenv(name);
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    void TearDown() override
    {
        for (const auto &[name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST_F(UserFoldersEnvironment, TheEnvironmentDecidesEachBaseFolder)
{
    Set("HOME", "/home/tester");
    Set("XDG_CONFIG_HOME", nullptr);
    Set("XDG_DATA_HOME", "relative/data");
    Set("XDG_STATE_HOME", "/state");
    EXPECT_EQ(ConfigHomeFolder(), "/home/tester/.config");
    EXPECT_EQ(DataHomeFolder(), "/home/tester/.local/share");
    EXPECT_EQ(StateHomeFolder(), "/state");
}

TEST_F(UserFoldersEnvironment, ARelativeHomeVariableGivesWayToThePasswordEntry)
{
    const passwd *entry = getpwuid(getuid());
    if (!entry || !entry->pw_dir || entry->pw_dir[0] != '/')
        GTEST_SKIP() << "this user has no password entry with a home folder";
    const std::string expected = entry->pw_dir;
    Set("HOME", "relative/home");
    EXPECT_EQ(HomeFolder(), expected);
    EXPECT_EQ(PathExpandHome("~/x"), PathAppend(expected, "x"));
}

} // namespace
} // namespace sifter
