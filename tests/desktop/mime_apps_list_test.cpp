// SPDX-License-Identifier: GPL-3.0-or-later
// Editing a mimeapps.list line by line: one type's lines of one group change, nothing else.
#include "desktop/mime_apps_list.h"

#include <gtest/gtest.h>

namespace sifter {
namespace {

constexpr std::string_view kType = "application/x-sifter";
constexpr std::string_view kOurs = "sifter.desktop";

using Ids = std::vector<std::string>;

TEST(MimeAppsListTest, ReadsTheIdsOfEveryLineOfTheTypeInEveryCopyOfTheGroup)
{
    const std::string list = "[Default Applications]\napplication/x-sifter=a.desktop;b.desktop\n"
                             "[Added Associations]\napplication/x-sifter=c.desktop;\n"
                             "[Default Applications]\n  application/x-sifter = d.desktop \r\ntext/plain=e.desktop\n";
    EXPECT_EQ(MimeAppsListIds(list, kDefaultApplicationsGroup, kType), (Ids{"a.desktop", "b.desktop", "d.desktop"}));
    EXPECT_EQ(MimeAppsListIds(list, kAddedAssociationsGroup, kType), (Ids{"c.desktop"}));
    EXPECT_EQ(MimeAppsListIds("application/x-sifter=x.desktop\n", kDefaultApplicationsGroup, kType), Ids{});
}

TEST(MimeAppsListTest, AddsALineAtTheEndOfTheGroupsFirstCopy)
{
    const std::string list = "# top\n[Default Applications]\ntext/plain=e.desktop\n\n# about the next\n"
                             "[Other]\nk=v\n[Default Applications]\n";
    EXPECT_EQ(WithMimeAppsListIdAlone(list, kDefaultApplicationsGroup, kType, kOurs),
              "# top\n[Default Applications]\ntext/plain=e.desktop\napplication/x-sifter=sifter.desktop;\n\n"
              "# about the next\n[Other]\nk=v\n[Default Applications]\n");
}

TEST(MimeAppsListTest, AddsTheGroupAtTheEndWhenThereIsNone)
{
    EXPECT_EQ(WithMimeAppsListIdFirst("", kAddedAssociationsGroup, kType, kOurs),
              "[Added Associations]\napplication/x-sifter=sifter.desktop;\n");
    EXPECT_EQ(WithMimeAppsListIdFirst("[Other]\nk=v", kAddedAssociationsGroup, kType, kOurs),
              "[Other]\nk=v\n\n[Added Associations]\napplication/x-sifter=sifter.desktop;\n");
    // A header that is the file's last line, without a line end.
    EXPECT_EQ(WithMimeAppsListIdFirst("[Added Associations]", kAddedAssociationsGroup, kType, kOurs),
              "[Added Associations]\napplication/x-sifter=sifter.desktop;\n");
}

TEST(MimeAppsListTest, PutsOurIdFirstOnceAndKeepsTheOthers)
{
    const std::string list = "[Added Associations]\r\napplication/x-sifter=a.desktop;b.desktop;\r\n";
    const std::string added = WithMimeAppsListIdFirst(list, kAddedAssociationsGroup, kType, kOurs);
    EXPECT_EQ(added, "[Added Associations]\r\napplication/x-sifter=sifter.desktop;a.desktop;b.desktop;\r\n");
    EXPECT_EQ(WithMimeAppsListIdFirst(added, kAddedAssociationsGroup, kType, kOurs), added);
    EXPECT_EQ(WithoutMimeAppsListId(added, kAddedAssociationsGroup, kType, kOurs),
              "[Added Associations]\r\napplication/x-sifter=a.desktop;b.desktop;\r\n");
}

TEST(MimeAppsListTest, MakesEveryDefaultLineOfTheTypeNameOursAlone)
{
    const std::string list = "[Default Applications]\napplication/x-sifter=gone.desktop\nimage/png=v.desktop\n";
    const std::string alone = WithMimeAppsListIdAlone(list, kDefaultApplicationsGroup, kType, kOurs);
    EXPECT_EQ(alone, "[Default Applications]\napplication/x-sifter=sifter.desktop;\nimage/png=v.desktop\n");
    EXPECT_EQ(WithMimeAppsListIdAlone(alone, kDefaultApplicationsGroup, kType, kOurs), alone);
}

TEST(MimeAppsListTest, RemovingTakesOutOurIdAndALineLeftEmpty)
{
    const std::string list = "[Default Applications]\napplication/x-sifter=sifter.desktop;\n"
                             "[Added Associations]\napplication/x-sifter=other.desktop;sifter.desktop;\n"
                             "application/x-sifterx=sifter.desktop;\nlast=1";
    std::string removed = WithoutMimeAppsListId(list, kDefaultApplicationsGroup, kType, kOurs);
    removed = WithoutMimeAppsListId(removed, kAddedAssociationsGroup, kType, kOurs);
    EXPECT_EQ(removed, "[Default Applications]\n[Added Associations]\napplication/x-sifter=other.desktop;\n"
                       "application/x-sifterx=sifter.desktop;\nlast=1");
    EXPECT_EQ(WithoutMimeAppsListId(removed, kAddedAssociationsGroup, kType, kOurs), removed);
    // The line before a removed last line keeps its end.
    EXPECT_EQ(WithoutMimeAppsListId("[Added Associations]\napplication/x-sifter=sifter.desktop",
                                    kAddedAssociationsGroup, kType, kOurs),
              "[Added Associations]\n");
}

TEST(MimeAppsListTest, IdsWithEscapesReadBackTheSameAfterTheirLineIsRewritten)
{
    // Raw: "x\;y" is the id "x;y", and four backslashes two.
    const std::string list = "[Default Applications]\napplication/x-sifter=x\\;y.desktop;a\\\\\\\\b.desktop;\n";
    const Ids before = MimeAppsListIds(list, kDefaultApplicationsGroup, kType);
    ASSERT_EQ(before, (Ids{"x;y.desktop", "a\\\\b.desktop"}));
    Ids expected{std::string(kOurs)};
    expected.insert(expected.end(), before.begin(), before.end());
    EXPECT_EQ(MimeAppsListIds(WithMimeAppsListIdFirst(list, kDefaultApplicationsGroup, kType, kOurs),
                              kDefaultApplicationsGroup, kType),
              expected);
    const std::string removed = WithoutMimeAppsListId(list, kDefaultApplicationsGroup, kType, "x;y.desktop");
    EXPECT_EQ(MimeAppsListIds(removed, kDefaultApplicationsGroup, kType), (Ids{"a\\\\b.desktop"}));
}

TEST(MimeAppsListTest, BytesThatAreNoTextSurviveAnAddAndARemoveUnchanged)
{
    std::string junk;
    for (int byte = 0; byte < 256; ++byte)
        junk += static_cast<char>(byte);
    const std::string list = junk + "\n[Added Associations]\n" + junk + "\n[\n]\n=\n" + std::string(300000, '=') + "\n";
    const std::string added = WithMimeAppsListIdFirst(list, kAddedAssociationsGroup, kType, kOurs);
    EXPECT_EQ(MimeAppsListIds(added, kAddedAssociationsGroup, kType), Ids{std::string(kOurs)});
    EXPECT_EQ(WithoutMimeAppsListId(added, kAddedAssociationsGroup, kType, kOurs), list);
}

} // namespace
} // namespace sifter
