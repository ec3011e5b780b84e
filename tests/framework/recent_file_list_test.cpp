// SPDX-License-Identifier: GPL-3.0-or-later
// The recent result files: order, limits, menu texts, and their keeping in the registry store.
#include "framework/recent_file_list.h"
#include "registry/registry_store.h"
#include "support/temp_tree.h"

#include <QDir>
#include <gtest/gtest.h>

namespace sifter {
namespace {

const std::string kRoot = "Software\\Norvane\\Sifter";

QStringList Paths(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

TEST(RecentFileList, NewestFirstWithoutDuplicatesAndAtMostItsSize)
{
    RecentFileList list(4);
    for (const char *path : {"/a.sifter", "/b.sifter", "/c.sifter", "/d.sifter", "/e.sifter"})
        list.Add(QString::fromUtf8(path));
    EXPECT_EQ(list.Paths(), Paths({"/e.sifter", "/d.sifter", "/c.sifter", "/b.sifter"}));
    list.Add(QStringLiteral("/c.sifter"));
    EXPECT_EQ(list.Paths(), Paths({"/c.sifter", "/e.sifter", "/d.sifter", "/b.sifter"}));
    list.Add(QString());
    EXPECT_EQ(list.Paths().size(), 4);
}

TEST(RecentFileList, NamesDifferingOnlyInCaseAreDifferentFiles)
{
    RecentFileList list(4);
    list.Add(QStringLiteral("/x/A.sifter"));
    list.Add(QStringLiteral("/x/a.sifter"));
    EXPECT_EQ(list.Paths().size(), 2);
}

TEST(RecentFileList, RemoveIgnoresIndexesOutOfRange)
{
    RecentFileList list(4);
    list.Add(QStringLiteral("/a"));
    list.Add(QStringLiteral("/b"));
    list.Remove(5);
    list.Remove(-1);
    EXPECT_EQ(list.Paths().size(), 2);
    list.Remove(0);
    EXPECT_EQ(list.Paths(), Paths({"/a"}));
}

TEST(RecentFileList, MenuTextNumbersAbbreviatesAndDoublesAmpersands)
{
    RecentFileList list(4);
    list.Add(QStringLiteral("/srv/data/R&D/results.sifter"));
    list.Add(QDir::homePath() + QStringLiteral("/w.sifter"));
    EXPECT_EQ(list.MenuText(0, 30), QStringLiteral("&1 ~/w.sifter"));
    EXPECT_EQ(list.MenuText(1, 30), QStringLiteral("&2 /srv/data/R&&D/results.sifter"));
    EXPECT_EQ(list.MenuText(2, 30), QString());
}

TEST(AbbreviatePath, KeepsTheStartAndAsManyTrailingFoldersAsFit)
{
    EXPECT_EQ(AbbreviatePath(QStringLiteral("/short/path.sifter"), 30), QStringLiteral("/short/path.sifter"));
    const QString longPath = QStringLiteral("/home/user/projects/searches/In Work.sifter");
    const QString shown = AbbreviatePath(longPath, 30);
    EXPECT_EQ(shown, QStringLiteral("/.../searches/In Work.sifter"));
    EXPECT_LE(shown.size(), 30);
    EXPECT_EQ(AbbreviatePath(QStringLiteral("~/a/b/c/d/e/f/g/h/i/j/k/name.sifter"), 30),
              QStringLiteral("~/.../f/g/h/i/j/k/name.sifter"));
}

TEST(AbbreviatePath, FallsBackToTheFileNameAlone)
{
    const QString name = QStringLiteral("a-very-long-result-file-name-indeed.sifter");
    EXPECT_EQ(AbbreviatePath(QStringLiteral("/x/") + name, 30), name);
    EXPECT_EQ(AbbreviatePath(name, 30), name);
}

TEST(RecentFileList, WritesFileValuesAndReadsThemBack)
{
    test::TempTree tree;
    {
        RegistryStore store(tree.Path("config"));
        RecentFileList list(4);
        list.Add(QStringLiteral("/one.sifter"));
        list.Add(QStringLiteral("/two wörds.sifter"));
        EXPECT_TRUE(list.WriteList(store, kRoot));
    }
    RegistryStore store(tree.Path("config"));
    RegistryKey key;
    ASSERT_TRUE(store.OpenKey(RegistryRoot::CurrentUser, kRoot + "\\Recent File List", key));
    RegistryType type = RegistryType::None;
    std::string data;
    ASSERT_TRUE(key.ReadValue("File1", type, data));
    EXPECT_EQ(type, RegistryType::String);
    EXPECT_EQ(data, std::string("/two w\xc3\xb6rds.sifter") + '\0');
    ASSERT_TRUE(key.ReadValue("File2", type, data));
    EXPECT_FALSE(key.ReadValue("File3", type, data));
    key.Close();

    RecentFileList read(4);
    read.ReadList(store, kRoot);
    EXPECT_EQ(read.Paths(), Paths({"/two wörds.sifter", "/one.sifter"}));
}

TEST(RecentFileList, WritingAShorterListRemovesStaleValues)
{
    test::TempTree tree;
    RegistryStore store(tree.Path("config"));
    RecentFileList list(4);
    for (const char *path : {"/a", "/b", "/c"})
        list.Add(QString::fromUtf8(path));
    ASSERT_TRUE(list.WriteList(store, kRoot));
    list.Remove(0);
    list.Remove(0);
    ASSERT_TRUE(list.WriteList(store, kRoot));
    RecentFileList read(4);
    read.ReadList(store, kRoot);
    EXPECT_EQ(read.Paths(), Paths({"/a"}));
}

TEST(RecentFileList, ReadingSkipsForeignValuesAndKeepsTheListWithoutAKey)
{
    test::TempTree tree;
    RegistryStore store(tree.Path("config"));
    RecentFileList list(4);
    list.Add(QStringLiteral("/kept"));
    list.ReadList(store, kRoot); // no key yet
    EXPECT_EQ(list.Paths(), Paths({"/kept"}));

    RegistryKey key;
    ASSERT_TRUE(store.CreateKey(RegistryRoot::CurrentUser, kRoot + "\\Recent File List", key));
    key.SetDword("File1", 7);                 // not a text
    key.SetString("File2", "");               // empty
    key.SetString("File3", "/x.sifter");
    key.SetString("File4", "/x.sifter");      // a duplicate
    key.SetString("File5", "/beyond.sifter"); // beyond the list's size
    const char withZero[] = "/y.sifter\0junk";
    key.SetValue("File6", RegistryType::String, withZero, sizeof withZero);
    key.Close();
    RecentFileList read(4);
    read.ReadList(store, kRoot);
    EXPECT_EQ(read.Paths(), Paths({"/x.sifter"}));

    RecentFileList six(6);
    six.ReadList(store, kRoot);
    EXPECT_EQ(six.Paths(), Paths({"/x.sifter", "/beyond.sifter", "/y.sifter"}));
}

} // namespace
} // namespace sifter
