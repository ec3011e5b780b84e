// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry/registry_tree.h"

#include <gtest/gtest.h>

namespace sifter {
namespace {

std::string Text(std::string_view text)
{
    std::string data(text);
    data.push_back('\0');
    return data;
}

TEST(RegistryNode, ReplacedValueKeepsItsPositionAndFirstSpelling)
{
    RegistryNode key;
    key.SetValue("One", RegistryType::String, Text("1"));
    key.SetValue("Two", RegistryType::String, Text("2"));
    key.SetValue("ONE", RegistryType::Dword, "abcd");
    ASSERT_EQ(key.Values().size(), 2u);
    EXPECT_EQ(key.Values()[0].name, "One");
    EXPECT_EQ(key.Values()[0].type, RegistryType::Dword);
    EXPECT_TRUE(key.DeleteValue("one"));
    ASSERT_NE(key.FindValue("two"), nullptr);
    EXPECT_EQ(key.FindValue("two")->data, Text("2"));
    EXPECT_EQ(key.FindValue("one"), nullptr);
}

TEST(RegistryNode, ManyValuesAreFoundWhateverTheirCaseAndKeepTheirOrderThroughDeletes)
{
    RegistryNode key;
    for (int i = 0; i < 1000; ++i)
        key.SetValue("Value" + std::to_string(i), RegistryType::String, Text(std::to_string(i)));
    for (int i = 0; i < 1000; i += 7) {
        const RegistryValue *value = key.FindValue("VALUE" + std::to_string(i));
        ASSERT_NE(value, nullptr) << i;
        EXPECT_EQ(value->data, Text(std::to_string(i)));
    }
    EXPECT_EQ(key.FindValue("Value1000"), nullptr);
    // Every other one goes in one pass; the rest keep their order and are still found.
    const std::size_t removed = key.DeleteValues([](const RegistryValue &value) {
        return std::stoi(value.name.substr(5)) % 2 == 0;
    });
    EXPECT_EQ(removed, 500u);
    ASSERT_EQ(key.Values().size(), 500u);
    EXPECT_EQ(key.Values()[0].name, "Value1");
    EXPECT_EQ(key.Values()[499].name, "Value999");
    EXPECT_EQ(key.FindValue("value2"), nullptr);
    EXPECT_EQ(key.FindValue("value3")->data, Text("3"));
    EXPECT_TRUE(key.DeleteValue("VALUE3"));
    key.SetValue("value5", RegistryType::Dword, "abcd");
    EXPECT_EQ(key.Values()[1].name, "Value5") << "replaced in its place with its first spelling";
    key.SetValue("Late", RegistryType::String, Text("l"));
    EXPECT_EQ(key.Values().back().name, "Late");
    EXPECT_EQ(key.FindValue("LATE")->data, Text("l"));
}

TEST(RegistryNode, SubkeysEnumerateByFoldedName)
{
    RegistryNode root;
    root.AddSubkey("beta");
    root.AddSubkey("Alpha");
    root.AddSubkey("_under"); // "_" sorts after upper-case letters
    root.AddSubkey("ALPHA");
    ASSERT_EQ(root.SubkeyCount(), 3u);
    EXPECT_EQ(root.SubkeyAt(0)->Name(), "Alpha");
    EXPECT_EQ(root.SubkeyAt(1)->Name(), "beta");
    EXPECT_EQ(root.SubkeyAt(2)->Name(), "_under");
    EXPECT_EQ(root.SubkeyAt(3), nullptr);
}

TEST(RegistryNode, CopiesAreDeep)
{
    RegistryNode root;
    root.AddSubkey("A").SetValue("v", RegistryType::Binary, "x");
    RegistryNode copy = root;
    copy.FindSubkey("a")->SetValue("v", RegistryType::Binary, "y");
    EXPECT_EQ(root.FindSubkey("A")->FindValue("v")->data, "x");
    EXPECT_FALSE(copy == root);
}

TEST(RegistryPath, SplitsAndRejectsInvalidNames)
{
    std::vector<std::string_view> names;
    ASSERT_TRUE(SplitRegistryPath("Software\\Norvane\\Sifter", names));
    EXPECT_EQ(names, (std::vector<std::string_view>{"Software", "Norvane", "Sifter"}));
    ASSERT_TRUE(SplitRegistryPath("", names));
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(SplitRegistryPath("\\a", names));
    EXPECT_FALSE(SplitRegistryPath("a\\", names));
    EXPECT_FALSE(SplitRegistryPath("a\\\\b", names));
    EXPECT_FALSE(SplitRegistryPath("a\rb", names));
    EXPECT_FALSE(SplitRegistryPath(std::string_view("a\0b", 3), names));
}

class RegistryMerge : public ::testing::Test {
protected:
    RegistryMerge()
    {
        RegistryNode &shared = base.AddSubkey("Shared");
        shared.SetValue("kept", RegistryType::String, Text("k"));
        shared.SetValue("changed", RegistryType::String, Text("old"));
        base.AddSubkey("Doomed").AddSubkey("Child");
        mine = base;
        fresh = base;
    }
    RegistryNode base;
    RegistryNode mine;
    RegistryNode fresh;
};

TEST_F(RegistryMerge, ChangesOfBothSidesSurvive)
{
    mine.FindSubkey("Shared")->SetValue("changed", RegistryType::String, Text("mine"));
    mine.AddSubkey("MineOnly").SetValue("m", RegistryType::Binary, "1");
    fresh.FindSubkey("Shared")->SetValue("theirs", RegistryType::String, Text("t"));
    fresh.AddSubkey("TheirsOnly");
    MergeRegistryChanges(base, mine, fresh);
    const RegistryNode *shared = fresh.FindSubkey("Shared");
    EXPECT_EQ(shared->FindValue("changed")->data, Text("mine"));
    EXPECT_EQ(shared->FindValue("kept")->data, Text("k"));
    EXPECT_EQ(shared->FindValue("theirs")->data, Text("t"));
    EXPECT_NE(fresh.FindSubkey("MineOnly"), nullptr);
    EXPECT_NE(fresh.FindSubkey("TheirsOnly"), nullptr);
}

TEST_F(RegistryMerge, ValuesOnlyReadDoNotOverwriteNewerOnes)
{
    fresh.FindSubkey("Shared")->SetValue("changed", RegistryType::String, Text("theirs"));
    mine.FindSubkey("Shared")->SetValue("other", RegistryType::String, Text("x"));
    MergeRegistryChanges(base, mine, fresh);
    EXPECT_EQ(fresh.FindSubkey("Shared")->FindValue("changed")->data, Text("theirs"));
}

TEST_F(RegistryMerge, KeyRemovedElsewhereStaysRemovedUnlessChangedHere)
{
    fresh.RemoveSubkey("Shared");
    RegistryNode untouched = fresh;
    MergeRegistryChanges(base, mine, untouched);
    EXPECT_EQ(untouched.FindSubkey("Shared"), nullptr);

    mine.FindSubkey("Shared")->SetValue("new", RegistryType::String, Text("n"));
    MergeRegistryChanges(base, mine, fresh);
    const RegistryNode *shared = fresh.FindSubkey("Shared");
    ASSERT_NE(shared, nullptr);
    EXPECT_NE(shared->FindValue("new"), nullptr);
    EXPECT_EQ(shared->FindValue("kept"), nullptr); // their removal of the rest stands
}

TEST_F(RegistryMerge, KeyRemovedHereGoesUnlessSomeoneAddedASubkey)
{
    mine.FindSubkey("Doomed")->RemoveSubkey("Child");
    mine.RemoveSubkey("Doomed");
    RegistryNode plain = fresh;
    MergeRegistryChanges(base, mine, plain);
    EXPECT_EQ(plain.FindSubkey("Doomed"), nullptr);

    fresh.FindSubkey("Doomed")->AddSubkey("Theirs");
    fresh.FindSubkey("Doomed")->SetValue("v", RegistryType::Binary, "1");
    MergeRegistryChanges(base, mine, fresh);
    const RegistryNode *doomed = fresh.FindSubkey("Doomed");
    ASSERT_NE(doomed, nullptr);
    EXPECT_NE(doomed->FindSubkey("Theirs"), nullptr);
    EXPECT_EQ(doomed->FindSubkey("Child"), nullptr);
}

TEST_F(RegistryMerge, DeleteAndRecreateRemovesOnlyValuesThatWereThere)
{
    // What saving a history does: delete the key, create it, write the entries.
    mine.RemoveSubkey("Shared");
    mine.AddSubkey("Shared").SetValue("000", RegistryType::String, Text("a"));
    fresh.FindSubkey("Shared")->SetValue("001", RegistryType::String, Text("theirs"));
    MergeRegistryChanges(base, mine, fresh);
    const RegistryNode *shared = fresh.FindSubkey("Shared");
    EXPECT_EQ(shared->FindValue("kept"), nullptr);
    EXPECT_EQ(shared->FindValue("changed"), nullptr);
    EXPECT_EQ(shared->FindValue("000")->data, Text("a"));
    EXPECT_EQ(shared->FindValue("001")->data, Text("theirs"));
}

} // namespace
} // namespace sifter
