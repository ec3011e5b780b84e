// SPDX-License-Identifier: GPL-3.0-or-later
// The content matcher on real files: chunk boundaries, word modes, the UTF-16 and UTF-8
// forms, and agreement with a plain byte-by-byte scan.
#include "fs/file_reader.h"
#include "search/content_matcher.h"
#include "search/search_criteria.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace sifter {
namespace {

using test::TempTree;

const std::string kGruesse = "Gr\xC3\xBC\xC3\x9F" "e";                               // UTF-8, 7 bytes
const std::string kGruesseUtf16("G\0r\0\xFC\0\xDF\0e\0", 10);                      // UTF-16LE

std::string Filler(std::size_t size)
{
    return std::string(size, '.');
}

// The file content with text placed at offset (the rest filler), total size bytes.
std::string Place(std::size_t size, std::size_t offset, const std::string &text)
{
    std::string content = Filler(size);
    content.replace(offset, text.size(), text);
    content.resize(size, '.');
    return content;
}

class ContentMatcherTest : public ::testing::Test {
protected:
    std::int64_t Match(const std::string &content, const std::vector<std::string> &words, std::int32_t mode,
                       bool unicodeUtf8 = true, bool hexadecimal = false, std::int64_t start = 0)
    {
        std::string phrase;
        for (const std::string &word : words)
            phrase += (phrase.empty() ? "" : " ") + word;
        return MatchPhrase(content, phrase, words, mode, unicodeUtf8, hexadecimal, start);
    }
    std::int64_t MatchPhrase(const std::string &content, const std::string &phrase,
                             const std::vector<std::string> &words, std::int32_t mode, bool unicodeUtf8 = true,
                             bool hexadecimal = false, std::int64_t start = 0)
    {
        const std::string path = tree.WriteFile("f" + std::to_string(++files), content);
        FileReader reader;
        EXPECT_TRUE(reader.Open(path));
        return MatchFileContent(&reader, phrase, words, mode, start, unicodeUtf8, hexadecimal);
    }

    TempTree tree;
    int files = 0;
};

// ---- chunk boundaries

TEST_F(ContentMatcherTest, WordAtTheVeryEndOfA65535ByteFileIsFound)
{
    EXPECT_EQ(Match(Place(65535, 65530, "abcde"), {"abcde"}, kWordModeAny), 65530);
    EXPECT_EQ(Match(Place(65535, 0, "abcde"), {"zzzzz"}, kWordModeAny), -1);
}

TEST_F(ContentMatcherTest, WordStraddlingTheFirstChunkIsFoundAtItsTrueOffset)
{
    // Starts 3 bytes before the end of chunk one, 5 bytes long.
    EXPECT_EQ(Match(Place(70000, 65532, "abcde"), {"abcde"}, kWordModeAny), 65532);
    EXPECT_EQ(Match(Place(70000, 65535, "abcde"), {"abcde"}, kWordModeAny), 65535);
    EXPECT_EQ(Match(Place(70000, 65534, "abcde"), {"abcde"}, kWordModePhrase), 65534);
}

TEST_F(ContentMatcherTest, Utf16FormStraddlingTheFirstChunkIsFound)
{
    // The UTF-16 form is 10 bytes, longer than the 7 typed bytes.
    EXPECT_EQ(Match(Place(70000, 65535 - 4, kGruesseUtf16), {kGruesse}, kWordModeAny), 65531);
    EXPECT_EQ(Match(Place(70000, 65535 - 9, kGruesseUtf16), {kGruesse}, kWordModeAny), 65526);
}

TEST_F(ContentMatcherTest, WordsStraddlingLaterChunksAreFoundAtTheirTrueOffsets)
{
    const std::size_t step = 65535 - 5; // each chunk after the first starts 5 bytes back
    const std::size_t boundary = 65535 + step;
    EXPECT_EQ(Match(Place(200000, boundary - 2, "abcde"), {"abcde"}, kWordModeAny),
              static_cast<std::int64_t>(boundary - 2));
    EXPECT_EQ(Match(Place(300000, 250000, "abcde"), {"abcde"}, kWordModeAny), 250000);
}

TEST_F(ContentMatcherTest, StartOffsetSkipsEarlierOccurrences)
{
    const std::string content = Place(100, 10, "abc") .replace(50, 3, "abc");
    EXPECT_EQ(Match(content, {"abc"}, kWordModeAny, true, false, 11), 50);
    EXPECT_EQ(Match(content, {"abc"}, kWordModeAny, true, false, 51), -1);
}

// ---- word modes

TEST_F(ContentMatcherTest, AnyReturnsTheFirstListedWordFoundInTheChunk)
{
    const std::string content = Place(1000, 100, "first").replace(10, 6, "second");
    EXPECT_EQ(Match(content, {"first", "second"}, kWordModeAny), 100);
    EXPECT_EQ(Match(content, {"second", "first"}, kWordModeAny), 10);
    EXPECT_EQ(Match(content, {"third"}, kWordModeAny), -1);
}

TEST_F(ContentMatcherTest, AllNeedsEveryWordAndGivesTheOffsetOfTheCompletingOne)
{
    const std::string onlyLast = Place(1000, 500, "beta");
    EXPECT_EQ(Match(onlyLast, {"alpha", "beta"}, kWordModeAll), -1);
    const std::string both = Place(1000, 100, "alpha").replace(10, 4, "beta");
    EXPECT_EQ(Match(both, {"alpha", "beta"}, kWordModeAll), 10);
    // The set completes in a later chunk: that chunk's find is the result.
    const std::string apart = Place(150000, 140000, "alpha").replace(10, 4, "beta");
    EXPECT_EQ(Match(apart, {"alpha", "beta"}, kWordModeAll), 140000);
}

TEST_F(ContentMatcherTest, PhraseIsLookedForAsOneString)
{
    EXPECT_EQ(Match(Place(100, 20, "red apple"), {"red", "apple"}, kWordModePhrase), 20);
    const std::string apart = Place(100, 20, "red").replace(40, 5, "apple");
    EXPECT_EQ(Match(apart, {"red", "apple"}, kWordModePhrase), -1);
}

TEST_F(ContentMatcherTest, WithoutMatchesAtZeroOnlyWhenNoWordOccurs)
{
    EXPECT_EQ(Match(Place(100, 0, ""), {"x1", "y2"}, kWordModeWithout), 0);
    EXPECT_EQ(Match(Place(100000, 99990, "y2"), {"x1", "y2"}, kWordModeWithout), -1);
}

TEST_F(ContentMatcherTest, EmptyFileMatchesOnlyWithoutTheWords)
{
    EXPECT_EQ(Match("", {"word"}, kWordModeWithout), 0);
    EXPECT_EQ(Match("", {"word"}, kWordModeAny), -1);
    EXPECT_EQ(Match("", {"word"}, kWordModeAll), -1);
    EXPECT_EQ(Match("", {"word"}, kWordModePhrase), -1);
}

TEST_F(ContentMatcherTest, EmptyPhraseIsAMatchAtZeroWithoutReading)
{
    EXPECT_EQ(MatchFileContent(nullptr, "", {}, kWordModeAny, 0, true, false), 0);
}

TEST_F(ContentMatcherTest, FileThatIsNotOpenNeverMatchesEvenWithoutTheWords)
{
    FileReader closed;
    for (std::int32_t mode : {kWordModeAny, kWordModeAll, kWordModePhrase, kWordModeWithout})
        EXPECT_EQ(MatchFileContent(&closed, "word", {"word"}, mode, 0, true, false), -1) << mode;
    EXPECT_EQ(MatchFileContent(nullptr, "word", {"word"}, kWordModeWithout, 0, true, false), -1);
}

TEST_F(ContentMatcherTest, UnknownWordModeNeverMatches)
{
    EXPECT_EQ(Match("word", {"word"}, 7), -1);
}

TEST_F(ContentMatcherTest, ContentComparisonKeepsCase)
{
    EXPECT_EQ(Match("a Word here", {"word"}, kWordModeAny), -1);
    EXPECT_EQ(Match("a Word here", {"Word"}, kWordModeAny), 2);
}

// ---- UTF-16 and UTF-8 forms

TEST_F(ContentMatcherTest, NonAsciiWordIsFoundInUtf8AndUtf16Files)
{
    EXPECT_EQ(Match("Viele " + kGruesse + "!", {kGruesse}, kWordModeAny), 6);
    EXPECT_EQ(Match(std::string("\xFF\xFE", 2) + "x" + kGruesseUtf16, {kGruesse}, kWordModeAny), 3);
}

TEST_F(ContentMatcherTest, FormsOtherThanTheTypedOneNeedTheUnicodeOption)
{
    EXPECT_EQ(Match(kGruesseUtf16, {kGruesse}, kWordModeAny, false), -1);
}

TEST_F(ContentMatcherTest, HexadecimalWordsAreLookedForOnlyAsTheirBytes)
{
    EXPECT_EQ(Match(kGruesseUtf16, {kGruesse}, kWordModeAny, true, true), -1);
    EXPECT_EQ(Match("ab" + kGruesse, {kGruesse}, kWordModeAny, true, true), 2);
}

TEST_F(ContentMatcherTest, TypedFormWinsOverAnEarlierUtf16FormInTheSameChunk)
{
    const std::string content = std::string("w\0o\0r\0d\0", 8) + Filler(50) + "word";
    EXPECT_EQ(Match(content, {"word"}, kWordModeAny), 58);
    EXPECT_EQ(Match(std::string("..w\0o\0r\0d\0", 10), {"word"}, kWordModeAny), 2);
}

TEST_F(ContentMatcherTest, StepBackCoversTheLongestFormLookedFor)
{
    EXPECT_EQ(ContentMatcher(kGruesse, {kGruesse}, kWordModeAny, true, false).StepBack(), 10u);
    EXPECT_EQ(ContentMatcher(kGruesse, {kGruesse}, kWordModeAny, false, false).StepBack(), 7u);
    EXPECT_EQ(ContentMatcher(kGruesse, {kGruesse}, kWordModeAny, true, true).StepBack(), 7u);
    EXPECT_EQ(ContentMatcher("ab cde", {"ab", "cde"}, kWordModeAll, true, false).StepBack(), 10u);
    EXPECT_EQ(ContentMatcher("ab cde", {"ab", "cde"}, kWordModePhrase, true, false).StepBack(), 12u);
    EXPECT_EQ(ContentMatcher("ab cde", {"ab", "cde"}, kWordModeWithout, true, false).StepBack(), 6u);
}

TEST_F(ContentMatcherTest, FormLimitsAreTheSameForWholeFiles)
{
    std::string wide(2 * 513, '\0');
    for (std::size_t i = 0; i < 513; ++i)
        wide[2 * i] = 'k';
    EXPECT_EQ(Match("." + wide, {std::string(512, 'k')}, kWordModeAny), 1);
    EXPECT_EQ(Match("." + wide, {std::string(513, 'k')}, kWordModeAny), -1);
    EXPECT_EQ(Match("." + wide, {std::string(513, 'k')}, kWordModeWithout), 0);
}

TEST_F(ContentMatcherTest, WordLongerThanAChunkStillEndsTheRead)
{
    const std::string huge(70000, 'q');
    EXPECT_EQ(Match(Filler(200000), {huge}, kWordModeAny, false), -1);
    EXPECT_LT(ContentMatcher(huge, {huge}, kWordModeAny, false, false).StepBack(), kContentChunkSize);
}

// ---- FindInBuffer

TEST(FindInBufferTest, AddsTheChunkOffsetAndFindsUtf16AtOddPositions)
{
    const std::string buffer = "x" + kGruesseUtf16;
    EXPECT_EQ(FindInBuffer(1000, buffer.data(), buffer.size(), kGruesse, true), 1001);
    EXPECT_EQ(FindInBuffer(1000, buffer.data(), buffer.size(), kGruesse, false), -1);
    EXPECT_EQ(FindInBuffer(0, buffer.data(), 5, kGruesse, true), -1); // not within length
}

TEST(FindInBufferTest, Utf16FormIsLookedForOnlyWithin512Units)
{
    const std::string fits(512, 'k');
    const std::string tooLong(513, 'k');
    const std::string fitsWide = "." + std::string(1024, '\0');
    std::string wide(1 + 2 * 513, '\0');
    for (std::size_t i = 0; i < 513; ++i)
        wide[1 + 2 * i] = 'k';
    EXPECT_EQ(FindInBuffer(0, wide.data(), wide.size(), fits, true), 1);
    EXPECT_EQ(FindInBuffer(0, wide.data(), wide.size(), tooLong, true), -1);
    EXPECT_EQ(FindInBuffer(0, fitsWide.data(), fitsWide.size(), fits, true), -1);
}

TEST(FindInBufferTest, Utf8FormIsLookedForOnlyWithin512Bytes)
{
    // Each invalid byte stands for U+FFFD, three bytes in UTF-8.
    const std::string replacement = "\xEF\xBF\xBD";
    auto repeated = [](const std::string &piece, std::size_t times) {
        std::string out;
        for (std::size_t i = 0; i < times; ++i)
            out += piece;
        return out;
    };
    const std::string fits(170, '\xFF');    // 510 bytes of UTF-8
    const std::string tooLong(171, '\xFF'); // 513 bytes
    const std::string content170 = "ab" + repeated(replacement, 170);
    const std::string content171 = "ab" + repeated(replacement, 171);
    EXPECT_EQ(FindInBuffer(0, content170.data(), content170.size(), fits, true), 2);
    EXPECT_EQ(FindInBuffer(0, content171.data(), content171.size(), tooLong, true), -1);
    EXPECT_EQ(FindInBuffer(0, content171.data(), content171.size(), tooLong, false), -1);
}

TEST(FindInBufferTest, AgreesWithAByteByByteScan)
{
    std::mt19937 random(7);
    auto text = [&](std::size_t size) {
        std::string s(size, 'a');
        for (char &c : s)
            c = "ab\0"[random() % 3];
        return s;
    };
    for (int round = 0; round < 2000; ++round) {
        const std::string buffer = text(random() % 64);
        const std::string word = text(1 + random() % 4);
        std::int64_t expected = -1;
        for (std::size_t i = 0; i + word.size() <= buffer.size() && expected < 0; ++i) {
            if (buffer.compare(i, word.size(), word) == 0)
                expected = static_cast<std::int64_t>(i);
        }
        ASSERT_EQ(FindInBuffer(0, buffer.data(), buffer.size(), word, false), expected)
            << "round " << round;
    }
}

} // namespace
} // namespace sifter
