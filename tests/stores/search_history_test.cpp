// SPDX-License-Identifier: GPL-3.0-or-later
#include "stores/search_history.h"

#include "support/temp_tree.h"

#include <gtest/gtest.h>

namespace sifter {
namespace {

using test::TempTree;

constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;

class SearchHistoryTest : public ::testing::Test {
protected:
    std::string KeyPath(std::string_view name) { return "Software\\Norvane\\Sifter\\History\\" + std::string(name); }
    // Stores raw values in a history's key, as a hand edit or an older copy might.
    void StoreValue(std::string_view history, std::string_view name, std::string_view data,
                    RegistryType type = RegistryType::String)
    {
        RegistryKey key;
        ASSERT_TRUE(store.CreateKey(kUser, KeyPath(history), key));
        ASSERT_TRUE(key.SetValue(name, type, data.data(), static_cast<std::uint32_t>(data.size())));
    }
    void StoreText(std::string_view history, std::string_view name, std::string_view text)
    {
        StoreValue(history, name, std::string(text) + '\0');
    }
    // name=data pairs of the key in enumeration order.
    std::vector<std::pair<std::string, std::string>> StoredValues(std::string_view history)
    {
        std::vector<std::pair<std::string, std::string>> values;
        RegistryKey key;
        if (!store.OpenKey(kUser, KeyPath(history), key))
            return values;
        std::string name;
        std::string data;
        RegistryType type{};
        for (std::uint32_t i = 0; key.EnumValue(i, name, &type, &data); ++i) {
            EXPECT_EQ(type, RegistryType::String);
            values.emplace_back(name, data);
        }
        return values;
    }

    TempTree tree;
    RegistryStore store{tree.Path("config")};
};

TEST(SearchHistory, AddEntryIgnoresEmptyTextsAndCaseInsensitiveDuplicates)
{
    CSearchHistory history("Folders");
    EXPECT_EQ(history.AddEntry("c:\\temp"), 0);
    EXPECT_EQ(history.AddEntry("C:\\Temp"), -1);
    EXPECT_EQ(history.AddEntry(""), -1);
    EXPECT_EQ(history.AddEntry("/home/Straße"), 1);
    EXPECT_EQ(history.AddEntry("/home/STRASSE"), 2); // only ASCII letters fold
    EXPECT_EQ(history.AddEntry("/HOME/straße"), -1);
    EXPECT_EQ(history.Entries(), (std::vector<std::string>{"c:\\temp", "/home/Straße", "/home/STRASSE"}));
    EXPECT_TRUE(history.Contains(""));
    EXPECT_TRUE(history.Contains("C:\\TEMP"));
    EXPECT_FALSE(history.Contains("c:\\temp2"));
}

TEST(SearchHistory, ValueNamesHaveAtLeastThreeDigits)
{
    EXPECT_EQ(HistoryValueName(0), "000");
    EXPECT_EQ(HistoryValueName(7), "007");
    EXPECT_EQ(HistoryValueName(999), "999");
    EXPECT_EQ(HistoryValueName(1000), "1000");
}

TEST_F(SearchHistoryTest, SaveAndLoadKeepTheEntriesInOrder)
{
    CSearchHistory saved("Names");
    saved.AddEntry("*.txt");
    saved.AddEntry("report;*.doc");
    saved.AddEntry("été");
    ASSERT_TRUE(saved.Save(store));
    EXPECT_EQ(StoredValues("Names"), (std::vector<std::pair<std::string, std::string>>{
                                         {"000", std::string("*.txt") + '\0'},
                                         {"001", std::string("report;*.doc") + '\0'},
                                         {"002", std::string("été") + '\0'}}));

    RegistryStore reopened(tree.Path("config"));
    CSearchHistory loaded("Names");
    loaded.AddEntry("replaced");
    ASSERT_TRUE(loaded.Load(reopened));
    EXPECT_EQ(loaded.Entries(), saved.Entries());
}

TEST_F(SearchHistoryTest, LoadOfAMissingKeyCreatesItEmpty)
{
    CSearchHistory history("Words");
    ASSERT_TRUE(history.Load(store));
    EXPECT_TRUE(history.Entries().empty());
    RegistryKey key;
    EXPECT_TRUE(store.OpenKey(kUser, KeyPath("Words"), key));
}

TEST_F(SearchHistoryTest, EmptyNameFails)
{
    CSearchHistory history("");
    history.AddEntry("x");
    EXPECT_FALSE(history.Save(store));
    EXPECT_FALSE(history.Load(store));
    EXPECT_EQ(history.Entries().size(), 1u);
}

TEST_F(SearchHistoryTest, GapInTheNumberingEndsLoadingAndSaveRenumbers)
{
    StoreText("Folders", "000", "/a");
    StoreText("Folders", "001", "/b");
    StoreText("Folders", "003", "/d");
    CSearchHistory history("Folders");
    ASSERT_TRUE(history.Load(store));
    EXPECT_EQ(history.Entries(), (std::vector<std::string>{"/a", "/b"}));
    ASSERT_TRUE(history.Save(store));
    EXPECT_EQ(StoredValues("Folders"), (std::vector<std::pair<std::string, std::string>>{
                                           {"000", std::string("/a") + '\0'}, {"001", std::string("/b") + '\0'}}));
}

TEST_F(SearchHistoryTest, StoredCaseDuplicatesLoadAsOneEntryInItsFirstForm)
{
    StoreText("Words", "000", "abc");
    StoreText("Words", "001", "ABC");
    StoreText("Words", "002", "");
    StoreValue("Words", "003", "");     // no bytes at all: passed over
    StoreText("Words", "004", "next");
    CSearchHistory history("Words");
    ASSERT_TRUE(history.Load(store));
    EXPECT_EQ(history.Entries(), (std::vector<std::string>{"abc", "next"}));
}

TEST_F(SearchHistoryTest, ValuesOverTheReadLimitArePassedOver)
{
    const std::string longest(kHistoryValueBytes - 1, 'x'); // 299 + zero = 300 bytes: fits
    const std::string tooLong(kHistoryValueBytes, 'y');     // 301 bytes with its zero
    StoreText("Folders", "000", longest);
    StoreText("Folders", "001", tooLong);
    StoreText("Folders", "002", "/after");
    StoreValue("Folders", "003", std::string(kHistoryValueBytes, 'z')); // 300 bytes, no zero
    CSearchHistory history("Folders");
    ASSERT_TRUE(history.Load(store));
    EXPECT_EQ(history.Entries(), (std::vector<std::string>{longest, "/after", std::string(kHistoryValueBytes, 'z')}));
}

TEST_F(SearchHistoryTest, ValuesOfOtherTypesAreReadAsText)
{
    StoreValue("Names", "000", "ab\0cd", RegistryType::Binary);
    StoreValue("Names", "001", "abcd", RegistryType::Dword);
    CSearchHistory history("Names");
    ASSERT_TRUE(history.Load(store));
    EXPECT_EQ(history.Entries(), (std::vector<std::string>{"ab", "abcd"}));
}

TEST_F(SearchHistoryTest, ThousandAndFirstEntryIsStoredAsOneThousand)
{
    CSearchHistory history("Names");
    for (int i = 0; i <= 1000; ++i)
        history.AddEntry("entry " + std::to_string(i));
    ASSERT_TRUE(history.Save(store));
    const auto values = StoredValues("Names");
    ASSERT_EQ(values.size(), 1001u);
    EXPECT_EQ(values[999].first, "999");
    EXPECT_EQ(values[1000].first, "1000");
    EXPECT_EQ(values[1000].second, std::string("entry 1000") + '\0');
    CSearchHistory loaded("Names");
    ASSERT_TRUE(loaded.Load(store));
    EXPECT_EQ(loaded.Entries().size(), 1001u);
}

TEST_F(SearchHistoryTest, SavingFewerEntriesDropsTheOldOnes)
{
    StoreText("Words", "000", "a");
    StoreText("Words", "001", "b");
    StoreText("Words", "stray", "c");
    CSearchHistory history("Words");
    history.AddEntry("only");
    ASSERT_TRUE(history.Save(store));
    EXPECT_EQ(StoredValues("Words"),
              (std::vector<std::pair<std::string, std::string>>{{"000", std::string("only") + '\0'}}));
}

TEST_F(SearchHistoryTest, KeyKeptAliveByASubkeyStillLosesItsOldEntries)
{
    StoreText("Words", "000", "a");
    StoreText("Words", "001", "b");
    RegistryKey sub;
    ASSERT_TRUE(store.CreateKey(kUser, KeyPath("Words") + "\\Extra", sub));
    sub.Close();
    CSearchHistory history("Words");
    ASSERT_TRUE(history.Save(store)); // an emptied history, as the Clear command saves it
    EXPECT_TRUE(StoredValues("Words").empty());
    CSearchHistory loaded("Words");
    ASSERT_TRUE(loaded.Load(store));
    EXPECT_TRUE(loaded.Entries().empty());
}

TEST_F(SearchHistoryTest, AnotherRunningCopySeesTheSavedEntries)
{
    CSearchHistory history("Names");
    history.AddEntry("a");
    ASSERT_TRUE(history.Save(store));
    history.AddEntry("b");
    ASSERT_TRUE(history.Save(store));
    RegistryStore other(tree.Path("config"));
    CSearchHistory seen("Names");
    ASSERT_TRUE(seen.Load(other));
    EXPECT_EQ(seen.Entries(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(SearchHistoryTest, TwoRunningCopiesSavingInTurnKeepEachOthersNewEntries)
{
    StoreText("Names", "000", "old");
    RegistryStore second(tree.Path("config"));
    CSearchHistory first("Names");
    CSearchHistory other("Names");
    ASSERT_TRUE(first.Load(store));
    ASSERT_TRUE(other.Load(second));

    first.AddEntry("one");
    ASSERT_TRUE(first.Save(store));
    other.AddEntry("two");
    other.AddEntry("ONE"); // the same text as the first copy's, in another spelling
    ASSERT_TRUE(other.Save(second));
    EXPECT_EQ(other.Entries(), (std::vector<std::string>{"old", "one", "two"}));
    // The first copy, quitting last, writes again: nothing of the other's is lost.
    first.AddEntry("three");
    ASSERT_TRUE(first.Save(store));
    EXPECT_EQ(first.Entries(), (std::vector<std::string>{"old", "one", "two", "three"}));

    CSearchHistory next("Names");
    ASSERT_TRUE(next.Load(store));
    EXPECT_EQ(next.Entries(), (std::vector<std::string>{"old", "one", "two", "three"}));
    EXPECT_EQ(StoredValues("Names").back(), (std::pair<std::string, std::string>{"003", std::string("three") + '\0'}));
}

TEST_F(SearchHistoryTest, ClearingRemovesWhatThisCopyKnewAndKeepsWhatAnotherAddedSince)
{
    StoreText("Words", "000", "a");
    StoreText("Words", "001", "b");
    RegistryStore second(tree.Path("config"));
    CSearchHistory first("Words");
    CSearchHistory other("Words");
    ASSERT_TRUE(first.Load(store));
    ASSERT_TRUE(other.Load(second));
    other.AddEntry("c");
    ASSERT_TRUE(other.Save(second));

    first.RemoveAll();
    ASSERT_TRUE(first.Save(store));
    EXPECT_EQ(first.Entries(), (std::vector<std::string>{"c"}));
    CSearchHistory next("Words");
    ASSERT_TRUE(next.Load(store));
    EXPECT_EQ(next.Entries(), (std::vector<std::string>{"c"}));
    // Cleared again, with nothing new elsewhere, it stays empty.
    first.RemoveAll();
    ASSERT_TRUE(first.Save(store));
    EXPECT_TRUE(StoredValues("Words").empty());
}

TEST_F(SearchHistoryTest, HistoriesLiveInSeparateKeys)
{
    CSearchHistory words("Words");
    CSearchHistory names("Names");
    CSearchHistory folders("Folders");
    words.AddEntry("w");
    names.AddEntry("n");
    folders.AddEntry("f");
    ASSERT_TRUE(words.Save(store));
    ASSERT_TRUE(names.Save(store));
    ASSERT_TRUE(folders.Save(store));
    folders.RemoveAll();
    ASSERT_TRUE(folders.Save(store));
    CSearchHistory loadedWords("Words");
    CSearchHistory loadedFolders("Folders");
    ASSERT_TRUE(loadedWords.Load(store));
    ASSERT_TRUE(loadedFolders.Load(store));
    EXPECT_EQ(loadedWords.Entries(), (std::vector<std::string>{"w"}));
    EXPECT_TRUE(loadedFolders.Entries().empty());
}

class SearchHistoryEnumerator : public ::testing::Test {
protected:
    SearchHistoryEnumerator()
    {
        for (const char *text : {"one", "two", "три", "four", "five"})
            history.AddEntry(text);
    }
    CSearchHistory history{"Names"};
};

TEST_F(SearchHistoryEnumerator, NextReturnsTheEntriesInUtf16)
{
    std::u16string strings[2];
    std::uint32_t fetched = 99;
    EXPECT_EQ(history.Next(2, strings, &fetched), kResultOk);
    EXPECT_EQ(fetched, 2u);
    EXPECT_EQ(strings[0], u"one");
    EXPECT_EQ(strings[1], u"two");
    EXPECT_EQ(history.Next(1, strings, nullptr), kResultOk);
    EXPECT_EQ(strings[0], u"три");
    EXPECT_EQ(history.Position(), 3u);
}

TEST_F(SearchHistoryEnumerator, NextAskingMoreThanIsLeftFetchesTheRestThenNothing)
{
    ASSERT_EQ(history.Skip(2), kResultOk);
    std::u16string strings[5];
    std::uint32_t fetched = 0;
    EXPECT_EQ(history.Next(5, strings, &fetched), kResultFalse);
    EXPECT_EQ(fetched, 3u);
    EXPECT_EQ(strings[2], u"five");
    fetched = 99;
    EXPECT_EQ(history.Next(5, strings, &fetched), kResultFalse);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(history.Next(1, nullptr, nullptr), kResultFalse);
}

TEST_F(SearchHistoryEnumerator, NextOfNothingBeforeTheEndSucceeds)
{
    std::uint32_t fetched = 99;
    EXPECT_EQ(history.Next(0, nullptr, &fetched), kResultOk);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(history.Position(), 0u);
    EXPECT_EQ(history.Next(1, nullptr, &fetched), kResultInvalidPointer);
}

TEST_F(SearchHistoryEnumerator, NextSeesEntriesAddedMeanwhile)
{
    ASSERT_EQ(history.Skip(5), kResultFalse);
    std::u16string text;
    EXPECT_EQ(history.Next(1, &text, nullptr), kResultFalse);
    history.AddEntry("six");
    EXPECT_EQ(history.Next(1, &text, nullptr), kResultOk);
    EXPECT_EQ(text, u"six");
}

TEST_F(SearchHistoryEnumerator, SkipSucceedsOnlyWhileBeforeTheEnd)
{
    EXPECT_EQ(history.Skip(0), kResultOk);
    EXPECT_EQ(history.Skip(4), kResultOk);
    EXPECT_EQ(history.Position(), 4u);
    EXPECT_EQ(history.Skip(1), kResultFalse); // lands exactly on the end
    EXPECT_EQ(history.Position(), 5u);
    EXPECT_EQ(history.Reset(), kResultOk);
    EXPECT_EQ(history.Skip(0xFFFFFFFF), kResultFalse);
    EXPECT_EQ(history.Position(), 5u); // stays at the end
    EXPECT_EQ(history.Reset(), kResultOk);
    EXPECT_EQ(history.Position(), 0u);
}

TEST_F(SearchHistoryEnumerator, PositionPastTheEndAfterRemovingEntriesIsTheEnd)
{
    ASSERT_EQ(history.Skip(3), kResultOk);
    history.RemoveAll();
    std::uint32_t fetched = 99;
    std::u16string text;
    EXPECT_EQ(history.Next(1, &text, &fetched), kResultFalse);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(history.Skip(0), kResultFalse);
}

TEST_F(SearchHistoryEnumerator, InvalidUtf8BecomesReplacementCharacters)
{
    CSearchHistory bytes("Folders");
    bytes.AddEntry("/caf\xE9");
    std::u16string text;
    ASSERT_EQ(bytes.Next(1, &text, nullptr), kResultOk);
    EXPECT_EQ(text, u"/caf\uFFFD");
}

TEST_F(SearchHistoryEnumerator, ReferenceCountingNeverFreesTheHistory)
{
    EXPECT_EQ(history.RefCount(), 0u);
    StringEnumerator *enumerator = nullptr;
    EXPECT_EQ(history.QueryInterface(InterfaceId::StringEnumerator, &enumerator), kResultOk);
    EXPECT_EQ(enumerator, &history);
    EXPECT_EQ(history.RefCount(), 1u);
    StringEnumerator *unknown = nullptr;
    EXPECT_EQ(history.QueryInterface(InterfaceId::Unknown, &unknown), kResultOk);
    EXPECT_EQ(unknown, &history);
    EXPECT_EQ(enumerator->AddRef(), 3u);
    StringEnumerator *other = enumerator;
    EXPECT_EQ(history.QueryInterface(InterfaceId::AutoComplete, &other), kResultNoInterface);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(history.RefCount(), 3u);
    EXPECT_EQ(enumerator->Release(), 2u);
    EXPECT_EQ(enumerator->Release(), 1u);
    EXPECT_EQ(enumerator->Release(), 0u);
    EXPECT_EQ(enumerator->Release(), 0u); // one too many: the count stays at 0
    EXPECT_EQ(history.Entries().size(), 5u);
    EXPECT_EQ(history.QueryInterface(InterfaceId::Unknown, nullptr), kResultInvalidPointer);
}

TEST_F(SearchHistoryEnumerator, CloneIsNotOffered)
{
    StringEnumerator *clone = &history;
    EXPECT_EQ(history.Clone(&clone), kResultNotImplemented);
    EXPECT_EQ(clone, nullptr);
    EXPECT_EQ(history.Clone(nullptr), kResultNotImplemented);
}

} // namespace
} // namespace sifter
