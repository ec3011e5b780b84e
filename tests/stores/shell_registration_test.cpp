// SPDX-License-Identifier: GPL-3.0-or-later
// The result-file type and the folder verb under HKEY_CLASSES_ROOT: what each action leaves in
// the store's file, for a clean store and for keys that others have put there.
#include "stores/shell_registration.h"

#include "support/temp_tree.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sifter {
namespace {

using test::ReadFileContent;
using test::TempTree;
using ::testing::Contains;

constexpr RegistryRoot kClasses = RegistryRoot::ClassesRoot;
const ResultFileTypeNames kNames{"Sifter.Document", "Sifter Result Document", ".sifter"};
constexpr std::string_view kProgram = "/opt/sifter/bin/sifter";
constexpr std::string_view kVerbFormat = "%1\\Shell\\Sifter\\command";

// Every key below path as "path" or "path=default value", depth first in enumeration order.
void Dump(const RegistryKey &key, const std::string &path, std::vector<std::string> &lines)
{
    std::string name;
    for (std::uint32_t index = 0; key.EnumSubkey(index, name); ++index) {
        RegistryKey subkey;
        if (!key.OpenSubkey(name, subkey)) {
            lines.push_back(path + name + " <unopenable>");
            continue;
        }
        RegistryType type{};
        std::string data;
        std::string line = path + name;
        if (subkey.ReadValue({}, type, data))
            line += "=" + std::string(data.c_str());
        lines.push_back(line);
        Dump(subkey, path + name + "\\", lines);
    }
}

class ShellRegistrationTest : public ::testing::Test {
protected:
    // The keys as a fresh store reads them from the file.
    std::vector<std::string> Keys() const
    {
        RegistryStore fresh(folder);
        std::vector<std::string> lines;
        RegistryKey root;
        if (fresh.OpenKey(kClasses, {}, root))
            Dump(root, {}, lines);
        return lines;
    }

    void Set(std::string_view path, std::string_view text)
    {
        RegistryKey key;
        ASSERT_TRUE(store.CreateKey(kClasses, path, key));
        ASSERT_TRUE(key.SetString({}, text));
    }

    void AddKey(std::string_view path)
    {
        RegistryKey key;
        ASSERT_TRUE(store.CreateKey(kClasses, path, key));
    }

    TempTree tree;
    std::string folder = tree.Path("config/Norvane/Sifter");
    RegistryStore store{folder};
};

const std::vector<std::string> kRegisteredKeys = {
    ".sifter=Sifter.Document",
    "Sifter.Document=Sifter Result Document",
    "Sifter.Document\\shell",
    "Sifter.Document\\shell\\open",
    "Sifter.Document\\shell\\open\\command=/opt/sifter/bin/sifter \"%1\"",
};

TEST_F(ShellRegistrationTest, RegisterOnACleanStoreWritesTheClassItsOpenCommandAndTheExtension)
{
    EXPECT_TRUE(RegisterResultFileType(store, kNames, kProgram));
    EXPECT_EQ(Keys(), kRegisteredKeys);
}

TEST_F(ShellRegistrationTest, RegisterTwiceRewritesTheSameValues)
{
    ASSERT_TRUE(RegisterResultFileType(store, kNames, kProgram));
    Set("Sifter.Document\\shell\\open\\command", "stale");
    Set("Sifter.Document", "stale");

    EXPECT_TRUE(RegisterResultFileType(store, kNames, kProgram));
    EXPECT_EQ(Keys(), kRegisteredKeys);
}

TEST_F(ShellRegistrationTest, RegisterLeavesAnExtensionThatNamesAnotherType)
{
    Set(".sifter", "Other.Document");

    EXPECT_TRUE(RegisterResultFileType(store, kNames, kProgram));
    std::vector<std::string> expected = kRegisteredKeys;
    expected[0] = ".sifter=Other.Document";
    EXPECT_EQ(Keys(), expected);
}

TEST_F(ShellRegistrationTest, RegisterTakesAnExtensionWithoutATypeOrWithAnUnreadableOne)
{
    AddKey(".sifter\\OpenWithProgids");  // no default value
    ASSERT_TRUE(RegisterResultFileType(store, kNames, kProgram));
    EXPECT_EQ(Keys()[0], ".sifter=Sifter.Document");

    Set(".sifter", "");
    ASSERT_TRUE(RegisterResultFileType(store, kNames, kProgram));
    EXPECT_EQ(Keys()[0], ".sifter=Sifter.Document");

    // A type name longer than the 520-byte buffer cannot be read, so it does not hold the extension.
    Set(".sifter", std::string(600, 'T'));
    ASSERT_TRUE(RegisterResultFileType(store, kNames, kProgram));
    EXPECT_EQ(Keys()[0], ".sifter=Sifter.Document");
}

TEST_F(ShellRegistrationTest, UnregisterAfterRegisterRemovesTheTypeWholeAndTheExtension)
{
    Set("txtfile", "Text Document");
    ASSERT_TRUE(RegisterResultFileType(store, kNames, kProgram));
    // Values never keep a key: the class's own and one beside the open command.
    {
        RegistryKey key;
        ASSERT_TRUE(store.OpenKey(kClasses, "Sifter.Document\\shell\\open", key));
        ASSERT_TRUE(key.SetString("Extra", "x"));
    }

    UnregisterResultFileType(store, kNames);
    EXPECT_EQ(Keys(), std::vector<std::string>{"txtfile=Text Document"});
}

TEST_F(ShellRegistrationTest, UnregisterKeepsAnExtensionThatCarriesASubkey)
{
    ASSERT_TRUE(RegisterResultFileType(store, kNames, kProgram));
    AddKey(".sifter\\OpenWithProgids");

    UnregisterResultFileType(store, kNames);
    EXPECT_EQ(Keys(), (std::vector<std::string>{".sifter=Sifter.Document", ".sifter\\OpenWithProgids"}));
}

TEST_F(ShellRegistrationTest, UnregisterRemovesTheExtensionsShellNewWithIt)
{
    ASSERT_TRUE(RegisterResultFileType(store, kNames, kProgram));
    Set(".sifter\\ShellNew", "");

    UnregisterResultFileType(store, kNames);
    EXPECT_TRUE(Keys().empty());
}

TEST_F(ShellRegistrationTest, UnregisterLeavesAnotherTypesExtensionAndTheClassesOtherVerbs)
{
    Set(".sifter", "Other.Document");
    ASSERT_TRUE(RegisterResultFileType(store, kNames, kProgram));
    Set("Sifter.Document\\shell\\edit\\command", "editor \"%1\"");
    Set("Sifter.Document\\DefaultIcon", "icon");

    UnregisterResultFileType(store, kNames);
    EXPECT_EQ(Keys(), (std::vector<std::string>{".sifter=Other.Document", "Sifter.Document=Sifter Result Document",
                                                "Sifter.Document\\shell", "Sifter.Document\\shell\\edit",
                                                "Sifter.Document\\shell\\edit\\command=editor \"%1\""}));
}

TEST_F(ShellRegistrationTest, AddWritesTheVerbOnDrivesAndFolders)
{
    EXPECT_TRUE(SetFolderVerb(store, kVerbFormat, kProgram, false));
    EXPECT_EQ(Keys(), (std::vector<std::string>{
                          "Drive", "Drive\\Shell", "Drive\\Shell\\Sifter",
                          "Drive\\Shell\\Sifter\\command=/opt/sifter/bin/sifter /f:\"%1\"", "Folder",
                          "Folder\\Shell", "Folder\\Shell\\Sifter",
                          "Folder\\Shell\\Sifter\\command=/opt/sifter/bin/sifter /f:\"%1\""}));
}

TEST_F(ShellRegistrationTest, AddThenRemoveKeepsTheShellKeysAndOtherVerbs)
{
    Set("Folder\\Shell\\Other\\command", "other");
    ASSERT_TRUE(SetFolderVerb(store, kVerbFormat, kProgram, false));
    // Whatever the shell put under the verb goes with it.
    AddKey("Folder\\Shell\\Sifter\\ddeexec\\application");

    EXPECT_TRUE(SetFolderVerb(store, kVerbFormat, kProgram, true));
    EXPECT_EQ(Keys(), (std::vector<std::string>{"Drive", "Drive\\Shell", "Folder", "Folder\\Shell",
                                                "Folder\\Shell\\Other", "Folder\\Shell\\Other\\command=other"}));
}

TEST_F(ShellRegistrationTest, RemoveWithoutAddChangesNothing)
{
    Set("Folder\\Shell\\Other\\command", "other");
    const std::string before = ReadFileContent(store.FilePath(kClasses));
    ASSERT_FALSE(before.empty());

    EXPECT_TRUE(SetFolderVerb(store, kVerbFormat, kProgram, true));
    EXPECT_EQ(ReadFileContent(store.FilePath(kClasses)), before);
}

TEST_F(ShellRegistrationTest, AProgramPathWithBlanksIsQuotedInEveryCommand)
{
    constexpr std::string_view program = "/home/me/my apps/sifter";
    ASSERT_TRUE(RegisterResultFileType(store, kNames, program));
    ASSERT_TRUE(SetFolderVerb(store, kVerbFormat, program, false));

    const std::vector<std::string> keys = Keys();
    EXPECT_THAT(keys, Contains("Folder\\Shell\\Sifter\\command=\"/home/me/my apps/sifter\" /f:\"%1\""));
    EXPECT_THAT(keys, Contains("Drive\\Shell\\Sifter\\command=\"/home/me/my apps/sifter\" /f:\"%1\""));
    EXPECT_THAT(keys, Contains("Sifter.Document\\shell\\open\\command=\"/home/me/my apps/sifter\" \"%1\""));
}

TEST(CommandLineProgramTest, QuotesOnlyWhatABlankOrAQuoteWouldSplit)
{
    EXPECT_EQ(CommandLineProgram("/usr/bin/sifter"), "/usr/bin/sifter");
    EXPECT_EQ(CommandLineProgram("/opt/$HOME/100%/sifter"), "/opt/$HOME/100%/sifter");
    EXPECT_EQ(CommandLineProgram("/a b\\c/sifter"), "\"/a b\\c/sifter\"");
    EXPECT_EQ(CommandLineProgram("/a\tb"), "\"/a\tb\"");
    // A quote is escaped, and so are the backslashes that would otherwise escape it.
    EXPECT_EQ(CommandLineProgram("/it's \"x\"/s"), "\"/it's \\\"x\\\"/s\"");
    EXPECT_EQ(CommandLineProgram("/a\\\"b"), "\"/a\\\\\\\"b\"");
    EXPECT_EQ(CommandLineProgram("/a b\\"), "\"/a b\\\\\"");
}

TEST_F(ShellRegistrationTest, DeleteKeyUpwardsStopsAtAKeyWithAnotherSubkey)
{
    Set("A\\B\\C\\D", "d");
    AddKey("A\\Other");

    DeleteKeyUpwards(store, "A\\B\\C\\D");
    EXPECT_EQ(Keys(), (std::vector<std::string>{"A", "A\\Other"}));

    DeleteKeyUpwards(store, "A\\Missing\\Key");
    EXPECT_EQ(Keys(), (std::vector<std::string>{"A", "A\\Other"}));
}

TEST_F(ShellRegistrationTest, DeleteKeyTreeOfAMissingKeyFails)
{
    RegistryKey root;
    ASSERT_TRUE(store.OpenKey(kClasses, {}, root));
    EXPECT_FALSE(DeleteKeyTree(root, "Folder\\Shell\\Sifter"));
}

} // namespace
} // namespace sifter
