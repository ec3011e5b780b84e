// SPDX-License-Identifier: GPL-3.0-or-later
// Titles made from the search texts: the title format filled in, unsafe characters removed.
#include "doc/document_title.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace sifter {
namespace {

TEST(DocumentTitle, FolderAloneGivesInAndItsLastComponent)
{
    EXPECT_EQ(BuildSearchTitle({}, {}, QStringLiteral("/home/me/Work")), QStringLiteral("In Work"));
    EXPECT_EQ(BuildSearchTitle({}, {}, QStringLiteral("/home/me/Work/")), QStringLiteral("In Work"));
    EXPECT_EQ(BuildSearchTitle({}, {}, QStringLiteral("Work")), QStringLiteral("In Work"));
    // The root's component is "/" itself, which is removed.
    EXPECT_EQ(BuildSearchTitle({}, {}, QStringLiteral("/")), QStringLiteral("In"));
    EXPECT_EQ(BuildSearchTitle({}, {}, QStringLiteral("D:\\")), QStringLiteral("In D"));
}

TEST(DocumentTitle, NameAndWordsPartsKeepTheirBlanks)
{
    EXPECT_EQ(BuildSearchTitle(QStringLiteral("[*.txt] "), QStringLiteral("{invoice} "), QStringLiteral("/srv/Work")),
              QStringLiteral("[.txt]  {invoice}  In Work"));
    EXPECT_EQ(BuildSearchTitle(QStringLiteral("[a:b] "), {}, QStringLiteral("/x?y")), QStringLiteral("[ab]   In xy"));
}

TEST(DocumentTitle, UserTextIsNeverReadForMarkers)
{
    EXPECT_EQ(BuildSearchTitle(QStringLiteral("[%s%1] "), {}, QStringLiteral("/a/%s")),
              QStringLiteral("[%s%1]   In %s"));
}

TEST(DocumentTitle, RemovesTheNineCharactersAndTrims)
{
    EXPECT_EQ(RemoveTitleUnsafeCharacters(QStringLiteral("\t a/b\\c:d*e?f\"g<h>i|j \n")), QStringLiteral("abcdefghij"));
    EXPECT_EQ(RemoveTitleUnsafeCharacters(QStringLiteral("Grüße aus Köln")), QStringLiteral("Grüße aus Köln"));
    EXPECT_EQ(FolderLastComponent(QStringLiteral("/home/me/Grüße")), QStringLiteral("Grüße"));
}

} // namespace
} // namespace sifter
