#include "platform/user_folders.h"

#include <gtest/gtest.h>

namespace sifter {
namespace {

TEST(UserFolders, HomeAndBaseFoldersTakeOnlyAbsoluteValues)
{
    EXPECT_EQ(HomeFolderFrom("/home/me", "/home/pw"), "/home/me");
    EXPECT_EQ(HomeFolderFrom("relative", "/home/pw"), "/home/pw");
    EXPECT_EQ(HomeFolderFrom("", "/home/pw"), "/home/pw");
    EXPECT_EQ(HomeFolderFrom(nullptr, ""), "");

    EXPECT_EQ(BaseFolderFrom("/xdg/config", "/home/me", kDefaultConfigBelowHome), "/xdg/config");
    EXPECT_EQ(BaseFolderFrom("xdg/config", "/home/me", kDefaultConfigBelowHome), "/home/me/.config");
    EXPECT_EQ(BaseFolderFrom("", "/home/me/", kDefaultDataBelowHome), "/home/me/.local/share");
    EXPECT_EQ(BaseFolderFrom(nullptr, "/", kDefaultStateBelowHome), "/.local/state");
    EXPECT_EQ(BaseFolderFrom(nullptr, "", kDefaultStateBelowHome), "");
}

} // namespace
} // namespace sifter
