// SPDX-License-Identifier: GPL-3.0-or-later
// The lines that show why a file matched: marks for each word mode and form, context,
// line ends, long lines, binary files, and files that changed after the search.
#include "fs/file_reader.h"
#include "search/content_words.h"
#include "search/match_lines.h"
#include "search/search_criteria.h"
#include "search/text_field.h"
#include "support/system_time.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sifter {
namespace {

using test::TempTree;

const std::string kGruesse = "Gr\xC3\xBC\xC3\x9F" "e";
const std::string kGruesseUtf16("G\0r\0\xFC\0\xDF\0e\0", 10);

std::string Numbered(int count, const std::string &end = "\n")
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "line " + std::to_string(i) + end;
    return text;
}

// The marked parts of a line, in order.
std::vector<std::string> Marked(const MatchLine &line)
{
    std::vector<std::string> parts;
    for (const LineMark &mark : line.marks)
        parts.push_back(line.text.substr(mark.begin, mark.length));
    return parts;
}

std::vector<std::int64_t> Numbers(const FileMatches &matches)
{
    std::vector<std::int64_t> numbers;
    for (const MatchLine &line : matches.lines)
        numbers.push_back(line.number);
    return numbers;
}

class MatchLinesTest : public ::testing::Test {
protected:
    // The matches of words in content, the search's own match offset taken as it finds it.
    FileMatches Find(const std::string &content, const std::string &words, std::int32_t mode = kWordModeAny,
                     bool hexadecimal = false, MatchLinesOptions options = {})
    {
        path = tree.WriteFile("f" + std::to_string(++files), content);
        SearchCriteria criteria;
        ResetCriteria(criteria, test::SystemTimeOf(2026, 1, 1));
        SetTextField(criteria.words, words);
        criteria.wordMode = mode;
        criteria.hexadecimal = hexadecimal ? 1 : 0;
        matcher = MatcherForCriteria(criteria);
        EXPECT_TRUE(matcher);
        FileReader file;
        EXPECT_TRUE(file.Open(path));
        const std::int64_t found = matcher->Match(file, 0);
        EXPECT_GE(found, 0);
        FileMatches matches;
        EXPECT_TRUE(FindMatchLines(file, *matcher, found, options, matches));
        return matches;
    }

    TempTree tree;
    std::string path;
    std::unique_ptr<ContentMatcher> matcher;
    int files = 0;
};

TEST_F(MatchLinesTest, EachWordModeMarksWhatItLooksFor)
{
    const std::string content = "beta\nnone\nalpha and beta\nalpha beta gamma\n";
    const FileMatches any = Find(content, "alpha beta", kWordModeAny, false, {0, 1000, 1024});
    ASSERT_EQ(Numbers(any), (std::vector<std::int64_t>{1, 3, 4}));
    EXPECT_EQ(Marked(any.lines[1]), (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(any.matchCount, 5);
    EXPECT_TRUE(any.numbered && any.complete && !any.binary && !any.movedMatch);

    const FileMatches all = Find(content, "alpha beta", kWordModeAll, false, {0, 1000, 1024});
    EXPECT_EQ(Numbers(all), (std::vector<std::int64_t>{1, 3, 4}));

    const FileMatches phrase = Find(content, "alpha beta", kWordModePhrase, false, {0, 1000, 1024});
    ASSERT_EQ(Numbers(phrase), (std::vector<std::int64_t>{4}));
    EXPECT_EQ(Marked(phrase.lines[0]), (std::vector<std::string>{"alpha beta"}));
    EXPECT_EQ(phrase.lines[0].text, "alpha beta gamma");
}

TEST_F(MatchLinesTest, ContextLinesAroundMatchesMergeWhenAdjacent)
{
    std::string content = Numbered(12);
    content.replace(content.find("line 3\n"), 6, "hit 3");
    content.replace(content.find("line 5\n"), 6, "hit 5");
    content.replace(content.find("line 10\n"), 7, "hit 10");
    const FileMatches matches = Find(content, "hit");
    EXPECT_EQ(Numbers(matches), (std::vector<std::int64_t>{2, 3, 4, 5, 6, 9, 10, 11}));
    std::vector<bool> gaps;
    std::vector<bool> context;
    for (const MatchLine &line : matches.lines) {
        gaps.push_back(line.gapBefore);
        context.push_back(line.marks.empty());
    }
    EXPECT_EQ(gaps, (std::vector<bool>{false, false, false, false, false, true, false, false}));
    EXPECT_EQ(context, (std::vector<bool>{true, false, true, false, true, true, false, true}));
    EXPECT_EQ(matches.lines[3].text, "hit 5");
}

TEST_F(MatchLinesTest, CrLfCrAndLfEndLinesAndTheLastNeedsNone)
{
    const FileMatches matches = Find("a\r\nfoo 1\rb\nfoo 2\r\n\r\nc\nfoo 3", "foo", kWordModeAny, false, {0, 1000, 1024});
    ASSERT_EQ(Numbers(matches), (std::vector<std::int64_t>{2, 4, 7}));
    EXPECT_EQ(matches.lines[0].text, "foo 1");
    EXPECT_EQ(matches.lines[1].text, "foo 2");
    EXPECT_EQ(matches.lines[2].text, "foo 3");
    EXPECT_EQ(matches.lines[2].offset, static_cast<std::int64_t>(std::string("a\r\nfoo 1\rb\nfoo 2\r\n\r\nc\n").size()));
}

TEST_F(MatchLinesTest, CrLfAcrossTheReadBorderEndsOneLine)
{
    // Around the first read's end, whatever the room kept for the word.
    for (std::size_t at = 65530; at < 65545; ++at) {
        std::string content(at, 'x');
        content += "\r\nneedle\n";
        const FileMatches matches = Find(content, "needle", kWordModeAny, false, {0, 1000, 1024});
        ASSERT_EQ(Numbers(matches), (std::vector<std::int64_t>{2})) << at;
    }
}

TEST_F(MatchLinesTest, HexadecimalWordsMarkTheirDecodedBytes)
{
    const FileMatches matches = Find("x\nsay FOO and foo\n", "666F6F", kWordModeAny, true);
    ASSERT_EQ(matches.lines.size(), 2u);
    EXPECT_EQ(Marked(matches.lines[1]), (std::vector<std::string>{"foo"}));
    EXPECT_EQ(matches.matchCount, 1);
}

TEST_F(MatchLinesTest, Utf16AndUtf8FormsAreShownAsMarkedText)
{
    const std::string utf16 = std::string("\xFF\xFE", 2) + std::string("h\0i\0 \0", 6) + kGruesseUtf16 +
                              std::string("!\0\n\0n\0e\0x\0t\0", 12);
    const FileMatches wide = Find(utf16, kGruesse);
    ASSERT_EQ(wide.lines.size(), 1u);
    EXPECT_EQ(wide.lines[0].form, ContentForm::Utf16Le);
    EXPECT_EQ(wide.lines[0].text, "\xEF\xBB\xBFhi " + kGruesse + "!");
    EXPECT_EQ(Marked(wide.lines[0]), (std::vector<std::string>{kGruesse}));
    EXPECT_EQ(wide.lines[0].matchOffset, 8);
    EXPECT_TRUE(wide.stretches.empty());

    const FileMatches utf8 = Find("one\nsch\xC3\xB6ne " + kGruesse + "\n", kGruesse);
    ASSERT_EQ(Numbers(utf8), (std::vector<std::int64_t>{1, 2}));
    EXPECT_EQ(Marked(utf8.lines[1]), (std::vector<std::string>{kGruesse}));
}

TEST_F(MatchLinesTest, WordAcrossTheReadBorderIsFoundOnce)
{
    for (const std::size_t border : {std::size_t{65535}, std::size_t{65536}, std::size_t{2 * 65536 - 1}}) {
        std::string content(border + 100, 'x');
        for (std::size_t i = 100; i < content.size(); i += 100)
            content[i] = '\n';
        content.replace(border - 3, 6, "needle");
        const FileMatches matches = Find(content, "needle", kWordModeAny, false, {0, 1000, 1024});
        ASSERT_EQ(matches.lines.size(), 1u) << border;
        EXPECT_EQ(matches.matchCount, 1) << border;
        EXPECT_EQ(matches.lines[0].number, static_cast<std::int64_t>((border - 3) / 100 + 1)) << border;
        EXPECT_EQ(Marked(matches.lines[0]), (std::vector<std::string>{"needle"})) << border;
    }
}

TEST_F(MatchLinesTest, HugeLineIsKeptAroundItsMatch)
{
    std::string content(10 * 1024 * 1024, 'a');
    const std::size_t at = 9 * 1024 * 1024;
    content.replace(at, 6, "needle");
    const MatchLinesOptions options;
    const FileMatches matches = Find(content, "needle", kWordModeAny, false, options);
    ASSERT_EQ(matches.lines.size(), 1u);
    const MatchLine &line = matches.lines[0];
    EXPECT_LE(line.text.size(), options.lineBytes);
    EXPECT_TRUE(line.cutBefore && line.cutAfter);
    EXPECT_EQ(line.number, 1);
    ASSERT_EQ(Marked(line), (std::vector<std::string>{"needle"}));
    EXPECT_EQ(line.matchOffset, static_cast<std::int64_t>(at));
}

TEST_F(MatchLinesTest, BinaryFilesShowMarkedByteStretches)
{
    std::string nul(300, 'z');
    nul[10] = '\0';
    nul.replace(200, 3, "key");
    const FileMatches binary = Find(nul, "key");
    EXPECT_TRUE(binary.binary);
    EXPECT_TRUE(binary.lines.empty());
    ASSERT_EQ(binary.stretches.size(), 1u);
    const HexStretch &stretch = binary.stretches[0];
    EXPECT_EQ(stretch.offset % kHexRowBytes, 0);
    ASSERT_EQ(stretch.marks.size(), 1u);
    EXPECT_EQ(stretch.offset + static_cast<std::int64_t>(stretch.marks[0].begin), 200);
    EXPECT_EQ(stretch.bytes.substr(stretch.marks[0].begin, stretch.marks[0].length), "key");

    const FileMatches invalid = Find("text\nbad \xFF\xFE key here\n", "key");
    EXPECT_TRUE(invalid.binary);
    EXPECT_EQ(invalid.stretches.size(), 1u);
}

TEST_F(MatchLinesTest, FileChangedAfterTheSearchIsLookedAtAsItIsNow)
{
    Find("one\nfoo\n", "foo");
    const std::int64_t searched = 4;
    tree.WriteFile("f" + std::to_string(files), "a much longer first line\nthen foo\n");
    FileReader file;
    ASSERT_TRUE(file.Open(path));
    FileMatches matches;
    ASSERT_TRUE(FindMatchLines(file, *matcher, searched, {0, 1000, 1024}, matches));
    EXPECT_TRUE(matches.movedMatch);
    ASSERT_EQ(Numbers(matches), (std::vector<std::int64_t>{2}));

    tree.WriteFile("f" + std::to_string(files), "");
    ASSERT_TRUE(FindMatchLines(file, *matcher, searched, {}, matches));
    EXPECT_TRUE(matches.lines.empty());
    EXPECT_EQ(matches.matchCount, 0);
}

TEST_F(MatchLinesTest, FarMatchIsShownByOffsetWithoutReadingTheStart)
{
    std::string content(static_cast<std::size_t>(kCountedLinesBytes) + 1000, '\n');
    const std::size_t at = content.size() - 500;
    content.replace(at, 6, "needle");
    const FileMatches matches = Find(content, "needle", kWordModeAny, false, {0, 1000, 1024});
    EXPECT_FALSE(matches.numbered);
    ASSERT_EQ(matches.lines.size(), 1u);
    EXPECT_EQ(matches.lines[0].number, 0);
    EXPECT_EQ(matches.lines[0].offset, static_cast<std::int64_t>(at));
}

TEST_F(MatchLinesTest, MatchLinesPastTheLimitAreCounted)
{
    const FileMatches matches = Find(std::string(1005, '\n') + "end", "\n", kWordModeAny, false, {0, 1000, 1024});
    EXPECT_EQ(matches.lines.size(), 1000u);
    EXPECT_EQ(matches.moreLines, 5);
    EXPECT_EQ(matches.matchCount, 1005);
}

TEST_F(MatchLinesTest, FirstLinesOfTextButNotOfBinary)
{
    const std::string text = tree.WriteFile("t", "one\r\ntwo\rthree\nfour");
    FileReader file;
    ASSERT_TRUE(file.Open(text));
    std::vector<MatchLine> lines;
    ASSERT_TRUE(ReadFirstLines(file, 3, 80, lines));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].text, "three");
    EXPECT_EQ(lines[2].number, 3);

    FileReader binary;
    ASSERT_TRUE(binary.Open(tree.WriteFile("b", std::string("ab\0cd", 5))));
    EXPECT_FALSE(ReadFirstLines(binary, 3, 80, lines));
}

} // namespace
} // namespace sifter
