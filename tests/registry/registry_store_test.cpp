// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/registry_store.h"

#include "support/heap_bytes.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace sifter {
namespace {

namespace fs = std::filesystem;
using test::ReadFileContent;
using test::TempTree;

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
constexpr RegistryRoot kClasses = RegistryRoot::ClassesRoot;

std::vector<std::string> FilesStartingWith(const std::string &folder, const std::string &prefix)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(prefix))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string StringValue(RegistryStore &store, RegistryRoot root, std::string_view path, std::string_view name)
{
    RegistryKey key;
    RegistryType type{};
    std::string data;
    if (!store.OpenKey(root, path, key) || !key.ReadValue(name, type, data))
        return "<missing>";
    return data;
}

class RegistryStoreTest : public ::testing::Test {
protected:
    TempTree tree;
    std::string folder = tree.Path("config/Norvane/Sifter");
};

TEST_F(RegistryStoreTest, EveryTypeSurvivesAFreshStore)
{
    const std::string latin1 = std::string("/tmp/caf\xE9") + '\0';
    {
        RegistryStore store(folder);
        RegistryKey key;
        ASSERT_TRUE(store.CreateKey(kUser, "Software\\Norvane\\Sifter\\Recent File List", key));
        EXPECT_TRUE(key.SetString("File1", "/home/me/a.sifter"));
        EXPECT_TRUE(key.SetValue("File2", RegistryType::String, latin1.data(), static_cast<std::uint32_t>(latin1.size())));
        EXPECT_TRUE(key.SetDword("Number", 0xDEADBEEF));
        const unsigned char blob[] = {0, 1, 2, 0xFF};
        EXPECT_TRUE(key.SetValue("Blob", RegistryType::Binary, blob, sizeof blob));
        EXPECT_TRUE(key.SetValue("Nothing", RegistryType::Binary, nullptr, 0));
        EXPECT_TRUE(key.Close());
    }
    RegistryStore again(folder);
    RegistryKey key;
    ASSERT_TRUE(again.OpenKey(kUser, "SOFTWARE\\norvane\\sifter\\recent file list", key));
    RegistryType type{};
    std::string data;
    ASSERT_TRUE(key.ReadValue("file1", type, data));
    EXPECT_EQ(type, RegistryType::String);
    EXPECT_EQ(data, std::string("/home/me/a.sifter") + '\0');
    ASSERT_TRUE(key.ReadValue("File2", type, data));
    EXPECT_EQ(data, latin1);
    ASSERT_TRUE(key.ReadValue("Number", type, data));
    EXPECT_EQ(type, RegistryType::Dword);
    EXPECT_EQ(data, "\xEF\xBE\xAD\xDE");
    ASSERT_TRUE(key.ReadValue("Blob", type, data));
    EXPECT_EQ(type, RegistryType::Binary);
    EXPECT_EQ(data, std::string("\0\1\2\xFF", 4));
    ASSERT_TRUE(key.ReadValue("Nothing", type, data));
    EXPECT_TRUE(data.empty());
    EXPECT_NE(ReadFileContent(folder + "/HKEY_CURRENT_USER.reg").find("\"File2\"=hex(1):2f,74,6d,70,2f,63,61,66,e9,00"),
              std::string::npos);
}

TEST_F(RegistryStoreTest, NamesDifferingOnlyInCaseAreOneAndKeepTheFirstSpelling)
{
    RegistryStore store(folder);
    RegistryKey key;
    ASSERT_TRUE(store.CreateKey(kUser, "Software\\MixedCase", key));
    RegistryKey same;
    ASSERT_TRUE(store.CreateKey(kUser, "SOFTWARE\\MIXEDCASE", same));
    EXPECT_TRUE(key.SetString("Value", "first"));
    EXPECT_TRUE(same.SetString("VALUE", "second"));
    EXPECT_EQ(key.ValueCount(), 1u);
    std::string name;
    ASSERT_TRUE(key.EnumValue(0, name));
    EXPECT_EQ(name, "Value");
    same.Close();
    key.Close();

    RegistryKey parent;
    ASSERT_TRUE(store.OpenKey(kUser, "software", parent));
    ASSERT_TRUE(parent.EnumSubkey(0, name));
    EXPECT_EQ(name, "MixedCase");
    EXPECT_FALSE(parent.EnumSubkey(1, name));
    parent.Close();
    EXPECT_EQ(StringValue(store, kUser, "software\\mixedcase", "value"), std::string("second") + '\0');
    const std::string text = ReadFileContent(store.FilePath(kUser));
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\MixedCase]\n\"Value\"=\"second\""), std::string::npos) << text;
}

TEST_F(RegistryStoreTest, QueryWithTooSmallBufferCopiesNothingAndTellsTheSize)
{
    RegistryStore store(folder);
    RegistryKey key;
    ASSERT_TRUE(store.CreateKey(kUser, "A", key));
    ASSERT_TRUE(key.SetString("Text", "abcdef"));

    char buffer[4] = {'x', 'x', 'x', 'x'};
    std::uint32_t size = sizeof buffer;
    RegistryType type{};
    EXPECT_EQ(key.QueryValue("Text", buffer, size, &type), QueryResult::BufferTooSmall);
    EXPECT_EQ(size, 7u);
    EXPECT_EQ(type, RegistryType::String);
    EXPECT_EQ(std::string(buffer, 4), "xxxx");

    size = 0;
    EXPECT_EQ(key.QueryValue("Text", nullptr, size), QueryResult::Ok);
    EXPECT_EQ(size, 7u);

    size = 123;
    EXPECT_EQ(key.QueryValue("Absent", buffer, size), QueryResult::Missing);
    EXPECT_EQ(size, 123u);
}

TEST_F(RegistryStoreTest, ShorterDataFillOnlyTheFirstBytesOfTheBuffer)
{
    RegistryStore store(folder);
    RegistryKey key;
    ASSERT_TRUE(store.CreateKey(kUser, "A", key));
    const unsigned char two[] = {0x11, 0x22};
    ASSERT_TRUE(key.SetValue("Short", RegistryType::Binary, two, sizeof two));
    unsigned char buffer[4] = {0xAA, 0xBB, 0xCC, 0xDD};
    std::uint32_t size = sizeof buffer;
    EXPECT_EQ(key.QueryValue("Short", buffer, size), QueryResult::Ok);
    EXPECT_EQ(size, 2u);
    EXPECT_EQ(buffer[0], 0x11);
    EXPECT_EQ(buffer[1], 0x22);
    EXPECT_EQ(buffer[2], 0xCC);
    EXPECT_EQ(buffer[3], 0xDD);
}

TEST_F(RegistryStoreTest, DeletingKeysFollowsTheRegistryRules)
{
    RegistryStore store(folder);
    {
        RegistryKey key;
        ASSERT_TRUE(store.CreateKey(kClasses, "Sifter.Document\\shell\\open\\command", key));
        ASSERT_TRUE(key.SetString("", "sifter \"%1\""));
    }
    EXPECT_FALSE(store.DeleteKey(kClasses, "Sifter.Document\\shell")); // has a subkey
    EXPECT_FALSE(store.DeleteKey(kClasses, "Missing\\Key"));
    EXPECT_FALSE(store.DeleteKey(kClasses, ""));
    EXPECT_TRUE(store.DeleteKey(kClasses, "sifter.document\\SHELL\\open\\command")); // values do not stop it
    EXPECT_TRUE(store.DeleteKey(kClasses, "Sifter.Document\\shell\\open"));
    RegistryKey key;
    EXPECT_FALSE(store.OpenKey(kClasses, "Sifter.Document\\shell\\open", key));
    EXPECT_TRUE(store.OpenKey(kClasses, "Sifter.Document\\shell", key));
    EXPECT_FALSE(key.DeleteSubkey("open"));
    key.Close();

    RegistryStore reread(folder);
    EXPECT_TRUE(reread.OpenKey(kClasses, "Sifter.Document\\shell", key));
    EXPECT_EQ(key.SubkeyCount(), 0u);
}

TEST_F(RegistryStoreTest, DeletingADeepTreeThroughSubkeyHandlesWorks)
{
    RegistryStore store(folder);
    {
        RegistryKey key;
        ASSERT_TRUE(store.CreateKey(kClasses, "Folder\\Shell\\Sifter\\command", key));
        ASSERT_TRUE(key.SetString("", "sifter /f:\"%1\""));
    }
    RegistryKey shell;
    ASSERT_TRUE(store.OpenKey(kClasses, "Folder\\Shell", shell));
    RegistryKey sifter;
    ASSERT_TRUE(shell.OpenSubkey("Sifter", sifter));
    std::string name;
    ASSERT_TRUE(sifter.EnumSubkey(0, name));
    EXPECT_TRUE(sifter.DeleteSubkey(name));
    EXPECT_FALSE(sifter.EnumSubkey(0, name));
    sifter.Close();
    EXPECT_TRUE(shell.DeleteSubkey("Sifter"));
    // Changes wait for the last open key of the root.
    EXPECT_NE(ReadFileContent(store.FilePath(kClasses)).find("command"), std::string::npos);
    EXPECT_TRUE(shell.Close());
    const std::string text = ReadFileContent(store.FilePath(kClasses));
    EXPECT_EQ(text.find("Sifter"), std::string::npos) << text;
    EXPECT_NE(text.find("[HKEY_CLASSES_ROOT\\Folder\\Shell]"), std::string::npos) << text;
}

TEST_F(RegistryStoreTest, OperationsOnADeletedKeyFail)
{
    RegistryStore store(folder);
    RegistryKey key;
    ASSERT_TRUE(store.CreateKey(kUser, "Gone", key));
    ASSERT_TRUE(store.DeleteKey(kUser, "Gone"));
    EXPECT_FALSE(key.SetString("x", "y"));
    std::uint32_t size = 0;
    EXPECT_EQ(key.QueryValue("x", nullptr, size), QueryResult::Missing);
    RegistryKey child;
    EXPECT_FALSE(key.CreateSubkey("child", child));
}

TEST_F(RegistryStoreTest, KeyOutlivingItsStoreBecomesAClosedKey)
{
    RegistryKey key;
    {
        RegistryStore store(folder);
        ASSERT_TRUE(store.CreateKey(kUser, "Short\\Lived", key));
        ASSERT_TRUE(key.SetString("v", "written at the end"));
        RegistryKey moved = std::move(key);
        key = std::move(moved);
        EXPECT_TRUE(key.IsOpen());
    }
    EXPECT_FALSE(key.IsOpen());
    EXPECT_FALSE(key.SetString("v", "x"));
    EXPECT_TRUE(key.Close());
    RegistryStore reread(folder);
    EXPECT_EQ(StringValue(reread, kUser, "Short\\Lived", "v"), std::string("written at the end") + '\0');
}

TEST_F(RegistryStoreTest, InvalidNamesAreRefused)
{
    RegistryStore store(folder);
    RegistryKey key;
    EXPECT_FALSE(store.CreateKey(kUser, "\\Leading", key));
    EXPECT_FALSE(store.CreateKey(kUser, "Trailing\\", key));
    EXPECT_FALSE(store.CreateKey(kUser, "Double\\\\Separator", key));
    EXPECT_FALSE(store.CreateKey(kUser, "Line\nBreak", key));
    EXPECT_FALSE(store.CreateKey(kUser, std::string(kMaxKeyNameBytes + 1, 'k'), key));
    EXPECT_TRUE(store.CreateKey(kUser, std::string(kMaxKeyNameBytes, 'k'), key));
    EXPECT_FALSE(key.SetString("a\nb", "x"));
    EXPECT_FALSE(key.SetString(std::string_view("a\0b", 3), "x"));
    EXPECT_FALSE(key.SetString("caf\xE9", "x"));
    EXPECT_TRUE(key.SetString("café", "x"));
}

TEST_F(RegistryStoreTest, EnumeratesValuesInTheOrderTheyWereSet)
{
    RegistryStore store(folder);
    RegistryKey key;
    ASSERT_TRUE(store.CreateKey(kUser, "Order", key));
    key.SetDword("b", 2);
    key.SetDword("a", 1);
    key.SetDword("c", 3);
    key.SetDword("B", 20); // replaces in place
    ASSERT_TRUE(key.DeleteValue("A"));
    EXPECT_FALSE(key.DeleteValue("a"));
    std::string name;
    RegistryType type{};
    std::string data;
    ASSERT_TRUE(key.EnumValue(0, name, &type, &data));
    EXPECT_EQ(name, "b");
    EXPECT_EQ(data, std::string("\x14\0\0\0", 4));
    ASSERT_TRUE(key.EnumValue(1, name));
    EXPECT_EQ(name, "c");
    EXPECT_FALSE(key.EnumValue(2, name));
}

TEST_F(RegistryStoreTest, HandEditedFileIsReadAndKeptAsideAtOnceSoTheRewriteLosesNothing)
{
    fs::create_directories(folder);
    const std::string path = folder + "/HKEY_CURRENT_USER.reg";
    const std::string original = "REGEDIT4\r\n"
                                 "\r\n"
                                 "; edited by hand\r\n"
                                 "[HKEY_CURRENT_USER\\Software\\Norvane\\Sifter\\Global]\r\n"
                                 "\"Style\"=dword:00000003\r\n"
                                 "some garbage here\r\n"
                                 "\"Odd\"=hex(7):61,00,00,00\r\n"
                                 "\r\n"
                                 "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
                                 "\"Keep\"=\"me\"\r\n";
    tree.WriteFile("config/Norvane/Sifter/HKEY_CURRENT_USER.reg", original);

    RegistryStore store(folder);
    RegistryKey key;
    ASSERT_TRUE(store.OpenKey(kUser, "Software\\Norvane\\Sifter\\Global", key));
    std::uint32_t style = 0;
    std::uint32_t size = sizeof style;
    ASSERT_EQ(key.QueryValue("Style", &style, size), QueryResult::Ok);
    EXPECT_EQ(style, 3u);
    EXPECT_EQ(StringValue(store, kUser, "Software\\Other", "Keep"), std::string("me") + '\0');
    // Reading leaves the file alone but copies it at once, so that the copy can be named
    // at start rather than made silently at exit.
    EXPECT_EQ(ReadFileContent(path), original);
    const auto kept = FilesStartingWith(folder, "HKEY_CURRENT_USER.reg.kept-");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(ReadFileContent(folder + "/" + kept[0]), original);
    EXPECT_EQ(store.SetAsideFiles(), std::vector<std::string>{folder + "/" + kept[0]});

    // The rewrite needs no second copy of the same version.
    ASSERT_TRUE(key.SetDword("Style", 1));
    ASSERT_TRUE(key.Close());
    EXPECT_EQ(FilesStartingWith(folder, "HKEY_CURRENT_USER.reg.kept-").size(), 1u);
    const std::string rewritten = ReadFileContent(path);
    EXPECT_EQ(rewritten.find("garbage"), std::string::npos);
    EXPECT_NE(rewritten.find("\"Style\"=dword:00000001"), std::string::npos);
    EXPECT_NE(rewritten.find("\"Odd\"=hex(7):61,00,00,00"), std::string::npos);
    EXPECT_NE(rewritten.find("\"Keep\"=\"me\""), std::string::npos);

    // The clean file needs no second copy.
    ASSERT_TRUE(store.CreateKey(kUser, "Software\\Norvane\\Sifter\\Global", key));
    ASSERT_TRUE(key.SetDword("Style", 2));
    ASSERT_TRUE(key.Close());
    EXPECT_EQ(FilesStartingWith(folder, "HKEY_CURRENT_USER.reg.kept-").size(), 1u);
    EXPECT_EQ(store.SetAsideFiles().size(), 1u);
}

TEST_F(RegistryStoreTest, FileThatIsNotRegedit4IsMovedAsideAndDefaultsUsed)
{
    const std::string junk = "<xml>not a registry</xml>\n";
    tree.WriteFile("config/Norvane/Sifter/HKEY_CURRENT_USER.reg", junk);
    RegistryStore store(folder);
    RegistryKey key;
    EXPECT_FALSE(store.OpenKey(kUser, "Software", key));
    const auto broken = FilesStartingWith(folder, "HKEY_CURRENT_USER.reg.broken-");
    ASSERT_EQ(broken.size(), 1u);
    EXPECT_EQ(ReadFileContent(folder + "/" + broken[0]), junk);
    EXPECT_EQ(store.SetAsideFiles(), std::vector<std::string>{folder + "/" + broken[0]});
    EXPECT_FALSE(fs::exists(store.FilePath(kUser)));

    ASSERT_TRUE(store.CreateKey(kUser, "Software", key));
    ASSERT_TRUE(key.SetString("x", "y"));
    ASSERT_TRUE(key.Close());
    EXPECT_NE(ReadFileContent(store.FilePath(kUser)).find("\"x\"=\"y\""), std::string::npos);
}

TEST_F(RegistryStoreTest, SecondBrokenFileGetsItsOwnAsideName)
{
    tree.WriteFile("config/Norvane/Sifter/HKEY_CURRENT_USER.reg", "first junk\n");
    {
        RegistryStore store(folder);
        RegistryKey key;
        EXPECT_FALSE(store.OpenKey(kUser, "x", key));
    }
    tree.WriteFile("config/Norvane/Sifter/HKEY_CURRENT_USER.reg", "second junk\n");
    {
        RegistryStore store(folder);
        RegistryKey key;
        EXPECT_FALSE(store.OpenKey(kUser, "x", key));
    }
    const auto broken = FilesStartingWith(folder, "HKEY_CURRENT_USER.reg.broken-");
    ASSERT_EQ(broken.size(), 2u);
    std::vector<std::string> contents = {ReadFileContent(folder + "/" + broken[0]),
                                         ReadFileContent(folder + "/" + broken[1])};
    std::sort(contents.begin(), contents.end());
    EXPECT_EQ(contents[0], "first junk\n");
    EXPECT_EQ(contents[1], "second junk\n");
}

TEST_F(RegistryStoreTest, EmptyFileIsAnEmptyStoreAndNotMovedAside)
{
    tree.WriteFile("config/Norvane/Sifter/HKEY_CURRENT_USER.reg", "");
    RegistryStore store(folder);
    RegistryKey key;
    EXPECT_FALSE(store.OpenKey(kUser, "Software", key));
    EXPECT_TRUE(FilesStartingWith(folder, "HKEY_CURRENT_USER.reg.broken-").empty());
}

TEST_F(RegistryStoreTest, MissingFolderGivesDefaultsAndIsCreatedOnTheFirstWrite)
{
    RegistryStore store(folder);
    RegistryKey key;
    EXPECT_FALSE(store.OpenKey(kUser, "Software", key));
    EXPECT_FALSE(fs::exists(folder));
    ASSERT_TRUE(store.CreateKey(kUser, "Software", key));
    ASSERT_TRUE(key.SetDword("n", 1));
    ASSERT_TRUE(key.Close());
    struct stat info;
    ASSERT_EQ(stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(stat(store.FilePath(kUser).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(RegistryStoreTest, UnwritableFolderKeepsChangesInMemory)
{
    // A regular file where the folder's parent should be: nothing can be created below it.
    tree.WriteFile("blocked", "a file, not a folder");
    RegistryStore store(tree.Path("blocked/Norvane/Sifter"));
    RegistryKey key;
    ASSERT_TRUE(store.CreateKey(kUser, "Software", key));
    EXPECT_TRUE(key.SetString("x", "y"));
    EXPECT_FALSE(key.Close());
    EXPECT_EQ(StringValue(store, kUser, "Software", "x"), std::string("y") + '\0');
    EXPECT_FALSE(store.Flush());
}

TEST_F(RegistryStoreTest, ReadOnlyFolderStillGivesItsSettings)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    {
        RegistryStore store(folder);
        RegistryKey key;
        ASSERT_TRUE(store.CreateKey(kUser, "Software", key));
        ASSERT_TRUE(key.SetString("x", "stored"));
    }
    ASSERT_EQ(chmod(folder.c_str(), 0500), 0);
    RegistryStore store(folder);
    EXPECT_EQ(StringValue(store, kUser, "Software", "x"), std::string("stored") + '\0');
    RegistryKey key;
    ASSERT_TRUE(store.CreateKey(kUser, "Software", key));
    EXPECT_TRUE(key.SetString("x", "changed"));
    EXPECT_FALSE(key.Close());
    chmod(folder.c_str(), 0700);
}

TEST_F(RegistryStoreTest, UnreadableFileIsNeverWrittenOver)
{
    // A folder where the file should be cannot be read as a file.
    fs::create_directories(folder + "/HKEY_CURRENT_USER.reg");
    RegistryStore store(folder);
    RegistryKey key;
    ASSERT_TRUE(store.CreateKey(kUser, "Software", key));
    key.SetString("x", "y");
    EXPECT_FALSE(key.Close());
    EXPECT_TRUE(fs::is_directory(folder + "/HKEY_CURRENT_USER.reg"));
}

TEST_F(RegistryStoreTest, LeftoverTemporaryFilesOfADeadWriterAreRemoved)
{
    tree.WriteFile("config/Norvane/Sifter/HKEY_CURRENT_USER.reg.tmp-abc123", "REGEDIT4\n[HKEY_CURRENT_USER\\half");
    tree.WriteFile("config/Norvane/Sifter/HKEY_CURRENT_USER.reg.tmp-notours-long", "left alone");
    RegistryStore store(folder);
    RegistryKey key;
    ASSERT_TRUE(store.CreateKey(kUser, "A", key));
    ASSERT_TRUE(key.Close());
    EXPECT_EQ(FilesStartingWith(folder, "HKEY_CURRENT_USER.reg.tmp-"),
              std::vector<std::string>{"HKEY_CURRENT_USER.reg.tmp-notours-long"});
}

TEST_F(RegistryStoreTest, SymbolicLinkToTheFileIsKept)
{
    const std::string real = tree.WriteFile("dotfiles/user.reg", "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"v\"=\"1\"\n");
    fs::create_directories(folder);
    fs::create_symlink(real, folder + "/HKEY_CURRENT_USER.reg");
    RegistryStore store(folder);
    RegistryKey key;
    ASSERT_TRUE(store.OpenKey(kUser, "A", key));
    ASSERT_TRUE(key.SetString("v", "2"));
    ASSERT_TRUE(key.Close());
    EXPECT_TRUE(fs::is_symlink(folder + "/HKEY_CURRENT_USER.reg"));
    EXPECT_NE(ReadFileContent(real).find("\"v\"=\"2\""), std::string::npos);
}

TEST_F(RegistryStoreTest, ALinkToAFileThatIsNoStoreIsSetAsideItselfAndItsTargetStaysAsItWas)
{
    const std::string notes = tree.WriteFile("notes.txt", "my notes\n");
    fs::create_directories(folder);
    const std::string path = folder + "/HKEY_CURRENT_USER.reg";
    fs::create_symlink(notes, path);
    RegistryStore store(folder);
    RegistryKey key;
    EXPECT_FALSE(store.OpenKey(kUser, "Software", key));
    const auto broken = FilesStartingWith(folder, "HKEY_CURRENT_USER.reg.broken-");
    ASSERT_EQ(broken.size(), 1u);
    EXPECT_EQ(fs::read_symlink(folder + "/" + broken[0]), notes);
    EXPECT_EQ(store.SetAsideFiles(), std::vector<std::string>{folder + "/" + broken[0]});

    ASSERT_TRUE(store.CreateKey(kUser, "Software", key));
    ASSERT_TRUE(key.SetString("x", "y"));
    ASSERT_TRUE(key.Close());
    EXPECT_FALSE(fs::is_symlink(path));
    EXPECT_NE(ReadFileContent(path).find("\"x\"=\"y\""), std::string::npos);
    EXPECT_EQ(ReadFileContent(notes), "my notes\n");
    EXPECT_EQ(FilesStartingWith(tree.Root(), "notes.txt"), std::vector<std::string>{"notes.txt"});
}

TEST_F(RegistryStoreTest, TheCopyOfALinkedStoreWithUnreadableLinesIsKeptBesideTheLinkNotItsTarget)
{
    const std::string original = "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n\"v\"=\"1\"\nsome garbage here\n";
    const std::string real = tree.WriteFile("dotfiles/user.reg", original);
    fs::create_directories(folder);
    fs::create_symlink(real, folder + "/HKEY_CURRENT_USER.reg");
    RegistryStore store(folder);
    EXPECT_EQ(StringValue(store, kUser, "A", "v"), std::string("1") + '\0');
    const auto kept = FilesStartingWith(folder, "HKEY_CURRENT_USER.reg.kept-");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_FALSE(fs::is_symlink(folder + "/" + kept[0]));
    EXPECT_EQ(ReadFileContent(folder + "/" + kept[0]), original);
    EXPECT_EQ(FilesStartingWith(tree.Path("dotfiles"), ""), std::vector<std::string>{"user.reg"});
    EXPECT_EQ(ReadFileContent(real), original);
}

TEST_F(RegistryStoreTest, RootsAreSeparateFiles)
{
    RegistryStore store(folder);
    RegistryKey key;
    ASSERT_TRUE(store.CreateKey(kClasses, ".sifter", key));
    ASSERT_TRUE(key.SetString("", "Sifter.Document"));
    ASSERT_TRUE(key.Close());
    EXPECT_FALSE(store.OpenKey(kUser, ".sifter", key));
    EXPECT_EQ(ReadFileContent(store.FilePath(kClasses)),
              "REGEDIT4\n\n[HKEY_CLASSES_ROOT\\.sifter]\n@=\"Sifter.Document\"\n");
    EXPECT_FALSE(fs::exists(store.FilePath(kUser)));
}

TEST_F(RegistryStoreTest, ReadsSeeWhatAnotherStoreWrote)
{
    RegistryStore first(folder);
    RegistryStore second(folder);
    EXPECT_EQ(StringValue(first, kUser, "A", "v"), "<missing>");
    {
        RegistryKey key;
        ASSERT_TRUE(second.CreateKey(kUser, "A", key));
        ASSERT_TRUE(key.SetString("v", "from second"));
    }
    EXPECT_EQ(StringValue(first, kUser, "A", "v"), std::string("from second") + '\0');
}

TEST_F(RegistryStoreTest, PendingChangesMergeWithWhatAnotherStoreWrote)
{
    RegistryStore first(folder);
    RegistryStore second(folder);
    {
        RegistryKey key;
        ASSERT_TRUE(first.CreateKey(kUser, "Shared", key));
        ASSERT_TRUE(key.SetString("old", "1"));
        ASSERT_TRUE(key.SetString("drop", "1"));
    }
    RegistryKey mine;
    ASSERT_TRUE(first.OpenKey(kUser, "Shared", mine));
    ASSERT_TRUE(mine.SetString("mine", "m"));
    ASSERT_TRUE(mine.DeleteValue("drop"));
    {
        RegistryKey theirs;
        ASSERT_TRUE(second.OpenKey(kUser, "Shared", theirs));
        ASSERT_TRUE(theirs.SetString("theirs", "t"));
        ASSERT_TRUE(theirs.SetString("old", "2"));
        RegistryKey other;
        ASSERT_TRUE(second.CreateKey(kUser, "OnlyTheirs", other));
    }
    ASSERT_TRUE(mine.Close());
    RegistryStore check(folder);
    EXPECT_EQ(StringValue(check, kUser, "Shared", "mine"), std::string("m") + '\0');
    EXPECT_EQ(StringValue(check, kUser, "Shared", "theirs"), std::string("t") + '\0');
    EXPECT_EQ(StringValue(check, kUser, "Shared", "old"), std::string("2") + '\0');
    EXPECT_EQ(StringValue(check, kUser, "Shared", "drop"), "<missing>");
    RegistryKey key;
    EXPECT_TRUE(check.OpenKey(kUser, "OnlyTheirs", key));
}

// A store text of keys with a few values each, about keys x 130 bytes long.
std::string ManyKeysText(int keys)
{
    std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Norvane\\Sifter]\n\"Style\"=dword:00000001\n";
    for (int i = 0; i < keys; ++i) {
        const std::string number = std::to_string(i);
        text += "\n[HKEY_CURRENT_USER\\Software\\Norvane\\Sifter\\Many\\Key" + number + "]\n\"Name\"=\"value " +
                number + " with some text\"\n\"Number\"=dword:0000002a\n\"Data\"=hex:01,02,03,04,05,06,07,08\n";
    }
    return text;
}

// Thread CPU seconds; the other programs on the machine take none of it.
double CpuSeconds()
{
    timespec spent{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &spent);
    return static_cast<double>(spent.tv_sec) + static_cast<double>(spent.tv_nsec) / 1e9;
}

TEST_F(RegistryStoreTest, AStoreTenTimesAsLargeIsReadAndWrittenInAboutTenTimesTheTime)
{
    const auto readAndWrite = [this](int keys, double &read, double &write) {
        read = write = 1e9;
        // Best of three: a slice the scheduler took is not the store's.
        for (int turn = 0; turn < 3; ++turn) {
            tree.WriteFile("config/Norvane/Sifter/HKEY_CURRENT_USER.reg", ManyKeysText(keys));
            double start = CpuSeconds();
            RegistryStore store(folder);
            RegistryKey key;
            ASSERT_TRUE(store.OpenKey(kUser, "Software\\Norvane\\Sifter", key));
            read = std::min(read, CpuSeconds() - start);
            start = CpuSeconds();
            ASSERT_TRUE(key.SetString("Changed", "yes"));
            ASSERT_TRUE(key.Close());
            write = std::min(write, CpuSeconds() - start);
        }
    };
    double smallRead = 0, smallWrite = 0, largeRead = 0, largeWrite = 0;
    readAndWrite(4'000, smallRead, smallWrite);
    readAndWrite(40'000, largeRead, largeWrite);
    // Ten times the work, with room for caches that hold the small store and not the large.
    EXPECT_LT(largeRead, 25 * smallRead) << smallRead << " s, then " << largeRead << " s";
    EXPECT_LT(largeWrite, 25 * smallWrite) << smallWrite << " s, then " << largeWrite << " s";
}

TEST_F(RegistryStoreTest, AReadStoreHoldsAFewTimesItsFileInMemoryAndNoMoreAfterAWrite)
{
    if (!test::HeapBytesKnown())
        GTEST_SKIP() << "the allocator's figures are not glibc's";
    const std::string text = ManyKeysText(20'000);
    tree.WriteFile("config/Norvane/Sifter/HKEY_CURRENT_USER.reg", text);
    const std::uint64_t before = test::HeapBytes();
    RegistryStore store(folder);
    RegistryKey key;
    ASSERT_TRUE(store.OpenKey(kUser, "Software\\Norvane\\Sifter", key));
    const std::uint64_t afterRead = test::HeapBytes() - before;
    ASSERT_TRUE(key.SetString("Changed", "yes"));
    ASSERT_TRUE(key.Close());
    const std::uint64_t afterWrite = test::HeapBytes() - before;
    // The tree of the keys and the text it was read from; not a second tree of the same.
    EXPECT_LT(afterRead, 6 * text.size()) << afterRead / text.size() << " times";
    EXPECT_LT(afterWrite, 6 * text.size()) << afterWrite / text.size() << " times";
}

TEST_F(RegistryStoreTest, AStoreOfDeepKeysIsWrittenBackAboutAsLongAsItWas)
{
    // Written by hand: each header names a deep key, none the keys on its way.
    std::string text = "REGEDIT4\n";
    for (int chain = 0; chain < 20; ++chain) {
        text += "\n[HKEY_CURRENT_USER\\Deep" + std::to_string(chain);
        for (int level = 0; level < 300; ++level)
            text += "\\level" + std::to_string(level);
        text += "]\n\"v\"=\"x\"\n";
    }
    tree.WriteFile("config/Norvane/Sifter/HKEY_CURRENT_USER.reg", text);
    {
        RegistryStore store(folder);
        RegistryKey key;
        ASSERT_TRUE(store.CreateKey(kUser, "Software", key));
        ASSERT_TRUE(key.SetString("x", "y"));
        ASSERT_TRUE(key.Close());
    }
    const std::string written = ReadFileContent(folder + "/HKEY_CURRENT_USER.reg");
    EXPECT_LT(written.size(), text.size() + 100);
    RegistryStore again(folder);
    EXPECT_EQ(StringValue(again, kUser, "Deep7\\level0\\level1\\level2", "v"), "<missing>");
    std::string deepest = "Deep7";
    for (int level = 0; level < 300; ++level)
        deepest += "\\level" + std::to_string(level);
    EXPECT_EQ(StringValue(again, kUser, deepest, "v"), std::string("x") + '\0');
    EXPECT_EQ(StringValue(again, kUser, "Software", "x"), std::string("y") + '\0');
}

TEST_F(RegistryStoreTest, AStoreOverTheSizeLimitIsReportedAsTooLargeAndLeftByteForByte)
{
    // A REGEDIT4 text, made larger than a store can be by what follows it.
    const std::string path = tree.WriteFile("config/Norvane/Sifter/HKEY_CURRENT_USER.reg",
                                            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\"x\"=\"kept\"\n");
    ASSERT_EQ(truncate(path.c_str(), kMaxRegistryFileBytes + 1), 0);
    const std::string before = ReadFileContent(path);
    struct stat was {};
    ASSERT_EQ(stat(path.c_str(), &was), 0);
    {
        RegistryStore store(folder);
        EXPECT_EQ(StringValue(store, kUser, "Software", "x"), "<missing>");
        EXPECT_EQ(store.TooLargeFiles(), std::vector<std::string>{path});
        EXPECT_TRUE(store.SetAsideFiles().empty());
        RegistryKey key;
        ASSERT_TRUE(store.CreateKey(kUser, "Software", key));
        ASSERT_TRUE(key.SetString("y", "new"));
        EXPECT_FALSE(key.Close()) << "never written over";
        EXPECT_EQ(StringValue(store, kUser, "Software", "y"), std::string("new") + '\0') << "kept in memory";
    }
    struct stat now {};
    ASSERT_EQ(stat(path.c_str(), &now), 0);
    EXPECT_EQ(now.st_ino, was.st_ino);
    EXPECT_EQ(now.st_mtim.tv_nsec, was.st_mtim.tv_nsec);
    EXPECT_TRUE(ReadFileContent(path) == before);
    EXPECT_EQ(FilesStartingWith(folder, "HKEY_CURRENT_USER.reg"),
              (std::vector<std::string>{"HKEY_CURRENT_USER.reg", "HKEY_CURRENT_USER.reg.lock"}));
}

TEST(RegistryFolder, FollowsTheBaseDirectoryRules)
{
    EXPECT_EQ(RegistryFolderFor("/xdg", "/home/me", "/home/pw"), "/xdg/Norvane/Sifter");
    EXPECT_EQ(RegistryFolderFor("/xdg/", "/home/me", nullptr), "/xdg/Norvane/Sifter");
    EXPECT_EQ(RegistryFolderFor("relative/xdg", "/home/me", nullptr), "/home/me/.config/Norvane/Sifter");
    EXPECT_EQ(RegistryFolderFor("", "/home/me", nullptr), "/home/me/.config/Norvane/Sifter");
    EXPECT_EQ(RegistryFolderFor(nullptr, nullptr, "/home/pw"), "/home/pw/.config/Norvane/Sifter");
    EXPECT_EQ(RegistryFolderFor(nullptr, "relative", "/home/pw"), "/home/pw/.config/Norvane/Sifter");
    EXPECT_EQ(RegistryFolderFor(nullptr, "/", nullptr), "/.config/Norvane/Sifter");
    EXPECT_EQ(RegistryFolderFor(nullptr, nullptr, nullptr), "");
    EXPECT_FALSE(DefaultRegistryFolder().empty());
}

} // namespace
} // namespace sifter
