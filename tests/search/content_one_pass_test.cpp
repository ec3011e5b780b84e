// SPDX-License-Identifier: GPL-3.0-or-later
// The one pass over every form of every word against each form looked for in turn (the
// standard library's search over the same chunks), on random files and random word lists:
// words across chunk borders, overlapping, prefixes of one another, differing only in case,
// and with UTF-16 and UTF-8 forms of their own.
#include "fs/file_reader.h"
#include "search/content_matcher.h"
#include "search/search_criteria.h"
#include "support/content_reference.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace sifter {
namespace {

using test::ChunkedReference;
using test::FormsOf;
using test::TempTree;

// Letters of either case, a NUL, and the bytes of "ü" in UTF-8 (0xC3 0xBC) and of a lone
// byte that is no UTF-8 (0xFC): so words have UTF-16 forms, UTF-8 forms unlike the typed
// bytes, and forms made of the same bytes as other words.
constexpr char kAlphabet[] = {'a', 'b', 'A', '\0', '\xC3', '\xBC', '\xFC'};
constexpr std::int32_t kModes[] = {kWordModeAny, kWordModeAll, kWordModePhrase, kWordModeWithout};

class OnePassTest : public ::testing::Test {
protected:
    std::string Text(std::size_t size)
    {
        std::string text(size, 'a');
        for (char &c : text)
            c = kAlphabet[random() % sizeof kAlphabet];
        return text;
    }

    // Up to 30 words, some extending or cut from another, some another's case twin.
    std::vector<std::string> Words()
    {
        std::vector<std::string> words;
        const std::size_t count = 1 + random() % 30;
        while (words.size() < count) {
            std::string word = Text(1 + random() % 6);
            if (!words.empty() && random() % 3 == 0) {
                const std::string &other = words[random() % words.size()];
                word = random() % 2 ? other + word : other.substr(0, 1 + random() % other.size());
            } else if (!words.empty() && random() % 5 == 0) {
                word = words[random() % words.size()];
                for (char &c : word)
                    c = c == 'a' ? 'A' : c == 'A' ? 'a' : c;
            }
            if (std::find(words.begin(), words.end(), word) == words.end())
                words.push_back(word); // a run's list never holds one word twice
        }
        return words;
    }

    // Random bytes of about one, two or three chunks, with forms of some words written in,
    // some of them across a chunk border (the step-back taken as the longest form).
    std::string Content(const std::vector<std::string> &words, bool wide)
    {
        const std::size_t sizes[] = {random() % 300, kContentChunkSize - 40 + random() % 80,
                                     2 * kContentChunkSize + random() % 200};
        std::string content = Text(sizes[random() % 3]);
        const std::size_t placed = random() % 4;
        for (std::size_t i = 0; i < placed && !content.empty(); ++i) {
            const std::vector<std::string> forms = FormsOf(words[random() % words.size()], wide).forms;
            const std::string &form = forms[random() % forms.size()];
            std::size_t at = random() % content.size();
            if (random() % 2 && content.size() > kContentChunkSize)
                at = kContentChunkSize - form.size() / 2 - random() % 3;
            content.replace(at, form.size(), form);
        }
        return content;
    }

    std::mt19937 random{23};
    TempTree tree;
};

TEST_F(OnePassTest, GivesTheOffsetsOfTheFormsLookedForInTurn)
{
    constexpr int kRounds = 150;
    constexpr int kFilesPerRound = 3;
    int onePass = 0;
    for (int round = 0; round < kRounds; ++round) {
        const std::vector<std::string> words = Words();
        std::string phrase;
        for (const std::string &word : words)
            phrase += (phrase.empty() ? "" : " ") + word;
        const bool unicode = random() % 4 != 0;
        const bool hexadecimal = random() % 5 == 0;
        const bool wide = unicode && !hexadecimal;
        std::vector<std::string> contents;
        std::vector<std::string> paths;
        for (int file = 0; file < kFilesPerRound; ++file) {
            contents.push_back(Content(words, wide));
            paths.push_back(tree.WriteFile("f" + std::to_string(round) + "-" + std::to_string(file), contents.back()));
        }
        for (std::int32_t mode : kModes) {
            ContentMatcher matcher(phrase, words, mode, unicode, hexadecimal);
            onePass += matcher.OnePass() ? 1 : 0;
            for (int file = 0; file < kFilesPerRound; ++file) {
                FileReader reader;
                ASSERT_TRUE(reader.Open(paths[file]));
                ASSERT_EQ(matcher.Match(reader, 0), ChunkedReference(contents[file], phrase, words, mode, wide))
                    << "round " << round << " mode " << mode << " words " << words.size() << " size "
                    << contents[file].size();
            }
        }
    }
    // Nearly every list has two forms or more; a list of one form is looked for on its own.
    EXPECT_GT(onePass, 4 * kRounds * 3 / 4);
}

TEST_F(OnePassTest, MatcherForAnotherThreadGivesTheSameOffsets)
{
    for (int round = 0; round < 50; ++round) {
        const std::vector<std::string> words = Words();
        const std::string content = Content(words, true);
        const std::string path = tree.WriteFile("g" + std::to_string(round), content);
        ContentMatcher matcher(words.front(), words, kWordModeAny, true, false);
        const std::unique_ptr<ContentMatcher> twin = matcher.ForAnotherThread();
        ASSERT_TRUE(twin);
        EXPECT_EQ(twin->OnePass(), matcher.OnePass());
        EXPECT_EQ(twin->StepBack(), matcher.StepBack());
        FileReader first;
        FileReader second;
        ASSERT_TRUE(first.Open(path));
        ASSERT_TRUE(second.Open(path));
        EXPECT_EQ(twin->Match(second, 0), matcher.Match(first, 0)) << "round " << round;
    }
}

TEST_F(OnePassTest, ThirtyAbsentWordsAndTheirFormsAreLookedForInOnePass)
{
    std::vector<std::string> words;
    std::string phrase;
    for (int i = 0; i < 30; ++i) {
        words.push_back("absent" + std::to_string(i));
        phrase += (phrase.empty() ? "" : " ") + words.back();
    }
    const std::string content = Text(3 * kContentChunkSize);
    const std::string path = tree.WriteFile("thirty", content);
    for (std::int32_t mode : kModes) {
        ContentMatcher matcher(phrase, words, mode, true, false);
        EXPECT_TRUE(matcher.OnePass()) << mode;
        FileReader reader;
        ASSERT_TRUE(reader.Open(path));
        EXPECT_EQ(matcher.Match(reader, 0), ChunkedReference(content, phrase, words, mode, true)) << mode;
    }
}

TEST_F(OnePassTest, ChunkTheScanFailsOnIsSearchedFormByForm)
{
    // Hyperscan 5.4 fails to scan a short buffer for this pair: the outcome must not change.
    const std::string longWord = "\xFF\xFF\xFF\xFF" + std::string(50, 'q');
    const std::string path = tree.WriteFile("short", "qqqqqqq");
    ContentMatcher matcher(longWord + " qq", {longWord, "qq"}, kWordModeAny, false, false);
    EXPECT_TRUE(matcher.OnePass());
    FileReader reader;
    ASSERT_TRUE(reader.Open(path));
    EXPECT_EQ(matcher.Match(reader, 0), 0);
}

TEST_F(OnePassTest, SingleFormIsLookedForOnItsOwn)
{
    EXPECT_FALSE(ContentMatcher("word", {"word"}, kWordModeAny, false, false).OnePass());
    EXPECT_FALSE(ContentMatcher("word", {"word"}, kWordModeAny, true, true).OnePass());
    EXPECT_TRUE(ContentMatcher("word", {"word"}, kWordModeAny, true, false).OnePass()); // and its UTF-16 form
}

} // namespace
} // namespace sifter
